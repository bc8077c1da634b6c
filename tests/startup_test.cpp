// Start-up: the designed window, its menu bar and controls, and what Form_Load and
// Form_Activate leave behind.

#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "table/window.h"
#include "test_window.h"

using testing_support::TestWindow;

namespace {
QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << a->text();
    return out;
}
QMenu* submenu(QMenuBar* bar, const QString& caption) {
    for (QAction* a : bar->actions())
        if (a->text() == caption) return a->menu();
    return nullptr;
}
}  // namespace

TEST(Design, WindowTitleMenuBarAndCaptions) {
    TestWindow tw;
    table::Form& f = tw->form();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Orbenza - Dolvaro a calvone"));
    QMenuBar* bar = f.menuBar();
    EXPECT_EQ(captions(bar->actions()), (QStringList{"&Game", "&Game rules", "&Options", "&Sounds", "&Music",
                                                     "&Info", "&Quit"}));
    EXPECT_EQ(captions(submenu(bar, "&Game")->actions()), (QStringList{"New Game", "Continue"}));
    QMenu* options = submenu(bar, "&Options");
    EXPECT_EQ(captions(options->actions()), (QStringList{"&Play rate", "&Personalize players"}));
    EXPECT_EQ(captions(options->actions()[0]->menu()->actions()), (QStringList{"Low", "Middle", "High"}));
    QMenu* sounds = submenu(bar, "&Sounds");
    EXPECT_EQ(captions(sounds->actions()[0]->menu()->actions()), (QStringList{"No", "Yes"}));
    EXPECT_EQ(sounds->actions()[0]->text(), "Card rustle");
    QMenu* music = submenu(bar, "&Music");
    EXPECT_EQ(captions(music->actions()).mid(0, 2), (QStringList{"None", "SEQUENTIAL MODE"}));
    // The first song item exists, unnamed and unseen until a song names it.
    EXPECT_EQ(tw->canzoni.size(), 2u);
    EXPECT_FALSE(tw->canzoni[1]->Visible());
}

TEST(Design, StartUpMarksOnlyTheSavedOptionsAndEnablesEverything) {
    TestWindow tw;
    for (table::MenuItem* item : {&tw->menu_newGame, &tw->continue_, &tw->nomusic[0], &tw->all[0],
                                  &tw->velocità_gioco[1], &tw->velocità_gioco[3], &tw->menu_card_rustle[0],
                                  &tw->personalize_players}) {
        EXPECT_FALSE(item->Checked()) << item->Caption();
        EXPECT_TRUE(item->Enabled()) << item->Caption();
    }
    EXPECT_TRUE(tw->velocità_gioco[2].Checked());
    EXPECT_TRUE(tw->menu_card_rustle[1].Checked());
    EXPECT_TRUE(tw->game_rate.Enabled());
}

TEST(Design, RuleTablesAndNameBoxesAfterLoad) {
    TestWindow tw;
    const float strengths[] = {0, 11, 12, 13, 4, 5, 6, 7, 8, 9, 10};
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(tw->card_strength[n], strengths[n]) << n;
    EXPECT_EQ(tw->suit_names[1], "Denari");
    EXPECT_EQ(tw->suit_names[4], "Spade");
    for (int i = 1; i <= 4; ++i) {
        ASSERT_NE(tw->TxtPlayer[i].widget(), nullptr) << i;
        EXPECT_FALSE(tw->TxtPlayer[i].Visible());
        EXPECT_EQ(tw->TxtPlayer[i].Width(), tw->TxtPlayer[1].Width());
        EXPECT_EQ(tw->TxtPlayer[i].Height(), tw->TxtPlayer[1].Height());
    }
}

TEST(Design, EveryControlStartsHidden) {
    TestWindow tw(true, false);
    for (int c = 0; c <= 40; ++c) EXPECT_FALSE(tw->carta[c].Visible()) << c;
    const table::BoxedControl* others[] = {&tw->dorsov, &tw->dorsoo, &tw->testo,
                                           &tw->Text2, &tw->Text4, &tw->Shape1};
    for (const table::BoxedControl* c : others) EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(tw->Timer1.Enabled());
    EXPECT_EQ(tw->Timer1.Interval(), 1000);
    EXPECT_EQ(tw->carta[21].picture(), 21);
    EXPECT_EQ(tw->carta[0].picture(), table::kNoPicture);
}

TEST(Activation, TakesTheGeometryAndPlacesTheOverlays) {
    TestWindow tw;
    EXPECT_EQ(tw->center_x, 400);
    EXPECT_EQ(tw->center_y, 300);
    // The card-size reference at the design size: 85 x 154 pixels of a 1272 x 974 client area.
    EXPECT_NEAR(tw->card_width, 53.46, 0.01);
    EXPECT_NEAR(tw->card_height, 94.87, 0.01);
    EXPECT_NEAR(tw->Text2.Left(), 0, 1e-4);
    EXPECT_NEAR(tw->Text2.Top(), 0, 1e-4);
    EXPECT_NEAR(tw->Text4.Left(), 20, 1e-3);
    EXPECT_FALSE(tw->Text2.Visible());
    EXPECT_FALSE(tw->Text4.Visible());
    // A second activation changes nothing.
    tw->center_x = 1;
    tw->Form_Activate();
    EXPECT_EQ(tw->center_x, 1);
}

TEST(Activation, OverlaysCarryTheirTexts) {
    TestWindow tw;
    EXPECT_NE(tw->Text2.Text().find("110"), std::string::npos);
    EXPECT_NE(tw->Text4.Text().find("Orbenza"), std::string::npos);
}

TEST(Activation, ShowingTheWindowLaysItOutThenActivatesOnce) {
    TestWindow tw(true, false);
    table::Form& f = tw->form();
    f.resize(f.outer_size() + QSize(200, 100));
    f.show();
    // Activation comes from the event loop, after the layout pass of the first showing.
    for (int i = 0; i < 20 && tw->card_width == 0; ++i) tw->DoEvents();
    EXPECT_EQ(tw->last_width, float(f.outer_size().width()));
    EXPECT_EQ(tw->center_x, 400);
    EXPECT_NEAR(tw->card_width, tw->carta[0].Width(), 1e-4);
    // The pass ran before activation: the reference card had already grown with the window.
    EXPECT_NEAR(tw->carta[0].px_width(), 85.0 * f.outer_size().width() / 1272.0, 1e-3);
}
