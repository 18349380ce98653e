#include "windows/notation_window.h"

#include "ui_notation_window.h"

#include <QPushButton>
#include <QStringList>

#include <array>

namespace corvane {

namespace {

    // One section per thing the window shows; the signs as the names list and the lists write them.
    constexpr const char* kNotation = R"(
<h3>The chord names</h3>
<p>A name is the root, the chord's type and, after a slash, a bass other than the root: <b>Am7/G</b>
is A minor seven over G. The names list gives every name the sounding notes can be read under.</p>
<table cellspacing="4">
<tr><td><b>m</b></td><td>minor: a minor third instead of the major one</td></tr>
<tr><td><b>-</b> after a number</td><td>that interval a half step lower: <b>5-</b> is the flat fifth, <b>9-</b> the flat ninth</td></tr>
<tr><td><b>+</b> after a number</td><td>that interval a half step higher: <b>5+</b> is the sharp fifth, <b>6+</b> the
augmented sixth (it sounds as the minor seventh)</td></tr>
<tr><td><b>7</b> and <b>7+</b></td><td>the minor seventh, and the major seventh (<b>C7+</b> is what is often written Cmaj7)</td></tr>
<tr><td><b>º</b>, <b>dim</b></td><td>diminished: minor third, flat fifth and diminished seventh</td></tr>
<tr><td><b>aug</b></td><td>augmented: major third and sharp fifth</td></tr>
<tr><td><b>add</b></td><td>a note added to the chord without the ones between: <b>Cadd9</b> has no seventh</td></tr>
<tr><td><b>sus</b></td><td>suspended: the second (<b>sus2</b>, <b>sus9</b>) or the fourth (<b>sus4</b>, <b>sus11</b>)
takes the place of the third</td></tr>
<tr><td><b>b</b> before a number</td><td>that interval flat, as with <b>-</b>: <b>b9</b> is <b>9-</b></td></tr>
<tr><td><b>(no3)</b>, <b>(no5)</b></td><td>the third, or the fifth, is left out</td></tr>
</table>
<p>Several signs are written one after another, separated by <b>/</b>: <b>C7/9-</b>.</p>

<h3>Building the chord: mod1 and mod2</h3>
<p>Pick the root in the left grid and, if the bass is another note, the bass in the right grid; the
<b>#</b> and <b>b</b> buttons above each grid name its black keys with sharps or flats.</p>
<p><b>mod1</b> shows the extension list: tick the intervals the chord has (<b>m</b>, <b>7</b>, <b>9-</b>,
<b>add9</b>, <b>sus4</b>, ...) and the chord is built from what is ticked; an item that cannot go
with the chord as it stands is greyed. <b>mod2</b> shows the chord-type list instead: one click picks a whole chord type
(<b>7/9</b>, <b>sus4/7</b>, ...). A name typed in the box at the top and Enter does the same.</p>

<h3>A diagram</h3>
<p>%STRINGS% The number at
the top left is the base fret: the fret the top row of the diagram stands for (1 is the nut). A
numbered dot is a finger on that string and fret; a bar across strings is a barre.</p>
<table cellspacing="4">
<tr><td><b>&#x25CF;</b></td><td>the string that plays the bass, the lowest note</td></tr>
<tr><td><b>&#x25CB;</b></td><td>a string that sounds</td></tr>
<tr><td><b>&#x00D7;</b></td><td>a string not played</td></tr>
</table>
<p>A click on a diagram plays it, writes its frets in the Formation box and shows it on the neck.</p>

<h3>The options</h3>
<table cellspacing="4">
<tr><td><b>(omit5)</b>, <b>(omit3)</b></td><td>fingerings may leave out the fifth, or the third</td></tr>
<tr><td><b>Distance</b></td><td>how many frets the fingers may span</td></tr>
<tr><td><b>Up to fret</b></td><td>the highest fret a fingering may use</td></tr>
<tr><td><b>Easy chords</b></td><td>only the common shapes</td></tr>
<tr><td><b>Left-hand chords</b></td><td>the diagrams drawn mirrored, for a left-handed player</td></tr>
<tr><td><b>No barre chords</b></td><td>no fingering with a barre</td></tr>
<tr><td><b>Capo</b></td><td>the fret of the capo: the frets count from it, and the chord sounds higher</td></tr>
<tr><td>the tuning button</td><td>a click: the standard tuning; its arrow: the other tunings; the bars
under it tune each string</td></tr>
</table>
)";

    constexpr const char* kSixStrings
        = "Each diagram shows the six strings upright, the lowest on the left, and five frets.";

    QString CountWord(size_t strings)
    {
        static constexpr std::array<const char*, 9> kWords { "no", "one", "two", "three", "four", "five", "six",
            "seven", "eight" };
        return strings < kWords.size() ? QString::fromLatin1(kWords[strings]) : QString::number(strings);
    }

} // namespace

NotationWindow::NotationWindow(QWidget* parent, const DiagramStrings& strings)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::NotationWindow>())
{
    m_ui->setupUi(this);
    m_ui->TextNotation->setHtml(Text(strings));
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

NotationWindow::~NotationWindow() = default;

QString NotationWindow::Text(const DiagramStrings& strings)
{
    QString diagram = QString::fromLatin1(kSixStrings);
    if (!strings.instrument.empty() && !strings.names.empty()) {
        QString instrument
            = QString::fromUtf8(strings.instrument.data(), static_cast<qsizetype>(strings.instrument.size()));
        instrument[0] = instrument[0].toLower();
        QStringList names;
        for (const std::string& name : strings.names)
            names << QString::fromStdString(name).toHtmlEscaped();
        diagram = QStringLiteral(
            "Each diagram shows the %1 strings of the %2 upright, %3 from left to right, and five frets.")
                      .arg(CountWord(strings.names.size()), instrument.toHtmlEscaped(), names.join(QLatin1Char(' ')));
    }
    return QString::fromUtf8(kNotation).replace(QStringLiteral("%STRINGS%"), diagram);
}

} // namespace corvane
