#include "windows/page_setup.h"

#include <QPageSetupDialog>
#include <QPrinter>

namespace corvane {

void RunPageSetupDialog(QWidget* owner)
{
    QPrinter printer;
    QPageSetupDialog dialog(&printer, owner);
    dialog.exec();
}

} // namespace corvane
