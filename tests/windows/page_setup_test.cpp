// The page-setup dialog: modal over the window that asked for it, and gone once closed.

#include "ui_test_support.h"
#include "windows/page_setup.h"

#include <QPageSetupDialog>
#include <QPointer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(PageSetup, RunsModallyOverItsOwnerAndIsDestroyedAfter)
    {
        QWidget owner;
        owner.show();
        QPointer<QWidget> dialog;
        bool isPageSetup = false;
        bool ownedByOwner = false;
        ui_test::WhenModalShown([&](QWidget* modal) {
            dialog = modal;
            isPageSetup = qobject_cast<QPageSetupDialog*>(modal) != nullptr;
            ownedByOwner = modal->parentWidget() == &owner;
            modal->close();
        });
        RunPageSetupDialog(&owner);

        EXPECT_TRUE(isPageSetup);
        EXPECT_TRUE(ownedByOwner);
        EXPECT_TRUE(dialog.isNull());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

} // namespace
} // namespace corvane
