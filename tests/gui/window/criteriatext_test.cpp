// The criteria panel as text through the Edit menu: Copy and Paste round-trip panels set
// by hand, a pasted text sets the controls as a user would, a bad text leaves the panel
// exactly as it was and names its first bad token, and Query... runs the typed text.

#include "apptest.h"

#include "core/league/records.h"

#include <QClipboard>

#include <algorithm>
#include <random>

namespace vantrel::apptest {
namespace {

// Team names with a blank, a quote and a backslash, a Windows-1252 letter, and two that
// differ only in case.
const std::vector<std::string> kTeams = {"Alpha",   "alpha",    "St Louis",
                                         "Q\"u\\o", "M\xF6nch", "Beta"};

class CriteriaTextTest : public AppTest {
  protected:
    void LoadRichLeague() {
        leaguegen::Options options;
        options.seed = 11;
        options.teams = static_cast<int>(kTeams.size());
        options.slotsPerTeam = 15;
        leaguegen::League league = leaguegen::Generate(options);
        league.teams = TeamImage(kTeams);
        // Names the name patterns below can find; 0x8A is a Windows-1252 letter, not Latin-1.
        const std::vector<std::string> names = {"M\xFCller", "Kell, \"Ann\"", "Back\\slash Bo",
                                                "\x8A"
                                                "ime Sr"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::uint8_t* name = league.roster.data() + 86 * (5 * i + 1) + player::kName;
            std::fill(name, name + kPlayerNameWidth, std::uint8_t{0});
            std::copy(names[i].begin(), names[i].end(), name);
        }
        LoadLeague(WriteLeague("rich", league) + ".tms");
    }

    void Reset() { QTest::mouseClick(Control<QPushButton>("Button3"), Qt::LeftButton); }
    void SetTeam(const QString& name) {
        auto* cbt = Control<QComboBox>("cbt");
        const int entry = cbt->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        Require(entry > 0, "team entry " + name.toStdString());
        cbt->setCurrentIndex(entry);
    }

    // Every named control of the criteria group as it shows: values, texts, check states
    // and the colour of the edits.
    QStringList Snapshot() {
        QWidget* sc = Control<QWidget>("sc");
        QStringList shown;
        for (QWidget* w : sc->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith("qt_"))
                continue;
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                shown << name + ' ' + QString::number(combo->currentIndex()) + ' ' +
                             combo->currentText();
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                shown << name + " '" + edit->text() + "' " +
                             edit->palette().color(QPalette::Base).name();
            } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
                shown << name + ' ' + QString::number(check->checkState());
            } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
                shown << name + (radio->isChecked() ? " on" : " off");
            } else if (auto* slider = qobject_cast<QSlider*>(w)) {
                shown << name + ' ' + QString::number(slider->value());
            } else if (auto* label = qobject_cast<QLabel*>(w)) {
                shown << name + ' ' + label->text();
            }
        }
        return shown;
    }
    // The list's rows, every cell, and the count label.
    QStringList Rows() {
        QAbstractItemModel* model = Found()->model();
        QStringList rows{Lanz()};
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            rows << cells.join('|');
        }
        return rows;
    }

    // An Edit menu action, every message box answered.
    std::vector<BoxSeen> Trigger(const char* action) {
        return BoxesOf([&] { Action(action)->trigger(); });
    }
    std::vector<BoxSeen> Paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        return Trigger("PasteCriteria1");
    }
    QString Copied() {
        EXPECT_TRUE(Trigger("CopyCriteria1").empty());
        return QApplication::clipboard()->text();
    }

    // The box of a refused text naming its bad token and what was expected there.
    static void ExpectRefusal(const std::vector<BoxSeen>& boxes, const QString& why) {
        ASSERT_EQ(boxes.size(), 1u) << why.toStdString();
        EXPECT_EQ(boxes[0].title, "Criteria");
        EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(boxes[0].hasOwner);
        EXPECT_EQ(boxes[0].text, "The criteria were not applied.\n\n" + why);
    }
    static QString BadToken(const QString& token, const QString& expected) {
        return "At \"" + token + "\": expected " + expected + '.';
    }

    // A panel far from its Reset state, with a red salary edit after its search.
    void SetSomePanel() {
        TypeInto("edname", "*e*");
        ClickRadio("rgposItem4");
        Control<QSlider>("tbmax")->setValue(33);
        TypeInto("Edit6", "abc");
        Control<QSlider>("tball")->setValue(20);
        Tbx(3)->setValue(45);
        ClickIndicator(Cbx(3));
        Search();
    }
};

// Random choices from a fixed seed.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : random_(seed) {}

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    template <class T>
    const T& PickOf(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(Pick(static_cast<int>(values.size())))];
    }

  private:
    std::mt19937 random_;
};

TEST_F(CriteriaTextTest, CopyThenPasteRestoresEveryControlAndTheSearchResult) {
    LoadRichLeague();
    const std::vector<QString> names = {"*",
                                        "",
                                        "M*",
                                        "M\u00fcller",
                                        "m\u00fc*",
                                        "Kell, \"Ann\"",
                                        "Back\\slash*",
                                        " *",
                                        "\u0160ime*",
                                        "*a*",
                                        "x y \"z\"",
                                        "\\",
                                        "\"",
                                        "\u20ac*"};
    const std::vector<QString> salaries = {"",    "0",   "100000",     "2147483647", "2147483648",
                                           "abc", "-5",  "1 000",      " 42",        "\"q\"",
                                           "1-2", "007", "99999999999"};
    auto* cbt = Control<QComboBox>("cbt");
    Dice hand(20240611);
    constexpr int kStates = 300;
    for (int state = 0; state < kStates; ++state) {
        Reset();
        cbt->setCurrentIndex(hand.Pick(cbt->count()));
        if (hand.Pick(3) > 0)
            TypeInto("edname", hand.PickOf(names));
        ClickRadio("rgstateItem" + QString::number(hand.Pick(3)));
        ClickRadio("rgteamItem" + QString::number(hand.Pick(4)));
        ClickRadio("rgposItem" + QString::number(hand.Pick(6)));
        // Either order, so that each trackbar pushes the other one now and then.
        const int ageA = 18 + hand.Pick(23), ageB = 18 + hand.Pick(23);
        if (hand.Pick(2)) {
            Control<QSlider>("tbmin")->setValue(ageA);
            Control<QSlider>("tbmax")->setValue(ageB);
        } else if (hand.Pick(2)) {
            Control<QSlider>("tbmax")->setValue(ageA);
            Control<QSlider>("tbmin")->setValue(ageB);
        }
        for (const char* edit : {"Edit6", "Edit7"}) {
            if (hand.Pick(2))
                TypeInto(edit, hand.PickOf(salaries));
        }
        if (hand.Pick(2))
            Control<QSlider>("tball")->setValue(hand.Pick(101));
        for (int n = 1; n <= 14; ++n) {
            if (hand.Pick(3) == 0)
                Tbx(n)->setValue(hand.Pick(101));
            for (int clicks = hand.Pick(3); clicks > 0; --clicks)
                ClickIndicator(Cbx(n));
        }
        const QStringList panel = Snapshot();
        Search();
        const QStringList rows = Rows();

        const QString text = Copied();
        Reset();
        ASSERT_TRUE(Paste(text).empty()) << text.toStdString();
        ASSERT_EQ(Snapshot(), panel) << text.toStdString();
        Search();
        ASSERT_EQ(Rows(), rows) << text.toStdString();
    }

    // The longest texts the edits hold, of a letter of two UTF-8 bytes.
    Reset();
    for (const char* edit : {"edname", "Edit6", "Edit7"}) {
        auto* box = Control<QLineEdit>(edit);
        box->setText(QString(box->maxLength(), QChar(0xfc)));
    }
    const QStringList longest = Snapshot();
    const QString text = Copied();
    Reset();
    EXPECT_TRUE(Paste(text).empty());
    EXPECT_TRUE(Snapshot() == longest);  // not printed: three texts of 32767 characters
}

TEST_F(CriteriaTextTest, PasteSetsTheControlsAsByHandWithoutSearching) {
    LoadRichLeague();
    SetTeam("alpha");
    TypeInto("edname", "m\u00fc*");
    ClickRadio("rgstateItem2");
    ClickRadio("rgteamItem2");
    ClickRadio("rgposItem3");
    Control<QSlider>("tbmin")->setValue(40);
    TypeInto("Edit6", "abc");
    TypeInto("Edit7", "7");
    Control<QSlider>("tball")->setValue(55);
    Tbx(7)->setValue(60);
    ClickIndicator(Cbx(14));
    Tbx(14)->setValue(30);
    ClickIndicator(Cbx(10));
    ClickIndicator(Cbx(10));
    Tbx(10)->setValue(0);
    const QStringList byHand = Snapshot();
    Reset();
    Search();
    const QStringList rows = Rows();

    // Keys and words in any case; the team's exact spelling wins over one in another case.
    ASSERT_TRUE(Paste("TEAM=\"alpha\" Name=\"m\u00fc*\" status=ROOKIE assign=farm pos=rw "
                      "age=40-40 salary=\"abc\"-7 all=55 sk>=60 OV<=30 DF=0")
                    .empty());
    EXPECT_EQ(Snapshot(), byHand);
    EXPECT_EQ(Control<QComboBox>("cbt")->currentText(), "alpha");
    EXPECT_EQ(Control<QLabel>("agemin")->text(), "40");
    EXPECT_EQ(Control<QLabel>("agemax")->text(), ">=40");
    for (int n = 1; n <= 14; ++n) {
        const int value = n == 7 ? 60 : n == 14 ? 30 : n == 10 ? 0 : 55;
        EXPECT_EQ(Lbx(n)->text(), QString::number(value)) << n;
        const Qt::CheckState mode = n == 14   ? Qt::PartiallyChecked
                                    : n == 10 ? Qt::Checked
                                              : Qt::Unchecked;
        EXPECT_EQ(Cbx(n)->checkState(), mode) << n;
    }
    EXPECT_EQ(Rows(), rows);  // no search

    // Another case of a team's name; both age labels at the lower end.
    ASSERT_TRUE(Paste("team=BETA age=18-18").empty());
    EXPECT_EQ(Control<QComboBox>("cbt")->currentText(), "Beta");
    EXPECT_EQ(Control<QLabel>("agemin")->text(), "<=18");
    EXPECT_EQ(Control<QLabel>("agemax")->text(), "18");
    EXPECT_EQ(Control<QLineEdit>("edname")->text(), "*");
    EXPECT_EQ(Control<QLineEdit>("Edit6")->text(), "");
    EXPECT_EQ(Lbx(7)->text(), "0");
}

TEST_F(CriteriaTextTest, BadTextsLeaveThePanelExactlyAsItWas) {
    LoadRichLeague();
    SetTeam("St Louis");
    SetSomePanel();
    const QStringList panel = Snapshot();
    const QStringList rows = Rows();
    struct Case {
        QString text, token, expected;
    };
    const Case cases[] = {
        // The first bad token is named; the good ones before it are not applied.
        {"pos=C foo=1 SK>=300", "foo=1",
         "team, name, status, assign, pos, age, salary, all, a rating (IT .. LD, OV), a change "
         "since the earlier season (dIT .. dLD, dOV), season or score"},
        {"pos=C SK>=300", "SK>=300", "a whole number from 0 to 100"},
        {"age=30-20", "age=30-20", "two ages from 18 to 40, the lower first (20-30)"},
        {"team=\"Nowhere\" pos=G", "team=\"Nowhere\"", "the name of a team of the loaded league"},
        {"pos=G name=\"abc", "name=\"abc", "a closing \""},
        {"salary=99999999999-", "salary=99999999999-",
         "from-to, each a whole number up to 2147483647 or left out (100000-2000000)"},
        {"name=\"\u0141ukasz\"", "name=\"\u0141ukasz\"",
         "a name pattern of characters that player names can hold"},
        {"name=\u540d*", "name=\u540d*", "a name pattern of characters that player names can hold"},
        // More than the edit holds; the message shows the token's start.
        {"name=" + QString(32768, 'a'), "name=" + QString(55, 'a') + "\u2026",
         "a name pattern of at most 32767 characters"},
    };
    for (const Case& c : cases) {
        ExpectRefusal(Paste(c.text), BadToken(c.token, c.expected));
        EXPECT_EQ(Snapshot(), panel) << c.text.toStdString();
        EXPECT_EQ(Rows(), rows) << c.text.toStdString();
    }
}

TEST_F(CriteriaTextTest, NoLeagueOrATeamOfAnEarlierLeagueIsRefused) {
    const QStringList empty = Snapshot();
    ExpectRefusal(Paste("pos=C"), "No league is loaded: open a league first.");
    EXPECT_EQ(Snapshot(), empty);

    LoadLeague(
        WriteFiles("first", TeamImage({"Alpha", "Beta"}), std::vector<std::uint8_t>(2 * 86, 0)) +
        ".tms");
    SetTeam("Beta");
    const QString text = Copied();
    ASSERT_EQ(text, "team=\"Beta\"");
    LoadLeague(
        WriteFiles("second", TeamImage({"Gamma", "Delta"}), std::vector<std::uint8_t>(2 * 86, 0)) +
        ".ros");
    SetSomePanel();
    const QStringList panel = Snapshot();
    ExpectRefusal(Paste(text),
                  BadToken("team=\"Beta\"", "the name of a team of the loaded league"));
    EXPECT_EQ(Snapshot(), panel);
}

TEST_F(CriteriaTextTest, QueryOffersTheTextAgainUntilItIsGoodThenSearches) {
    EXPECT_EQ(Action("Query1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    LoadRichLeague();
    ClickRadio("rgposItem4");
    Tbx(7)->setValue(50);
    Search();
    const QStringList rows = Rows();
    const QStringList panel = Snapshot();

    // Cancel, at once or after a refused text, changes nothing.
    for (const bool typeFirst : {false, true}) {
        ModalAnswerer answerer;
        if (typeFirst)
            answerer.AnswerInput("age=30-20");
        answerer.CancelInput();
        Action("Query1")->trigger();
        EXPECT_TRUE(answerer.AllInputAnswersUsed());
        EXPECT_TRUE(answerer.Unexpected().isEmpty())
            << answerer.Unexpected().join(", ").toStdString();
        EXPECT_EQ(answerer.Boxes().size(), typeFirst ? 1u : 0u);
        EXPECT_EQ(Snapshot(), panel);
        EXPECT_EQ(Rows(), rows);
    }

    // Ctrl+L on the window; a bad text, then a good one.
    ModalAnswerer answerer;
    answerer.AnswerInput("pos=G SK>=300");
    answerer.AnswerInput("pos=G all=20");
    QApplication::setActiveWindow(&Window());
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(answerer.AllInputAnswersUsed());
    EXPECT_TRUE(answerer.Unexpected().isEmpty()) << answerer.Unexpected().join(", ").toStdString();
    EXPECT_EQ(answerer.InputsOffered(), QStringList({"pos=D SK>=50", "pos=G SK>=300"}));
    ExpectRefusal(answerer.Boxes(), BadToken("SK>=300", "a whole number from 0 to 100"));
    const QStringList queried = Snapshot();
    const QStringList found = Rows();

    // The same panel set by hand and searched.
    Reset();
    ClickRadio("rgposItem5");
    Control<QSlider>("tball")->setValue(20);
    EXPECT_EQ(queried, Snapshot());
    Search();
    EXPECT_EQ(found, Rows());
    EXPECT_NE(found, rows);
    EXPECT_GT(found.size(), 1);
}

}  // namespace
}  // namespace vantrel::apptest
