// The message and options windows, shown modally the way the board shows
// them: each message replaces the last on the plate; the options window's
// pending choice, its marks on the screen, its results, and where a press
// drags and where it selects.
#include "WindowsFixture.h"

#include <array>
#include <random>

#include "windows/MessageLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"

TEST_F(WindowsTest, EachMessageShowingLeavesOnlyItsOwnPicture) {
    TfrmMessage& message = app->CreateForm<TfrmMessage>();
    const Bitmap win = Embedded(PictureWindow::Message, "imgWin");
    const Bitmap lost = Embedded(PictureWindow::Message, "imgLost");
    ASSERT_NE(win.Pixels, lost.Pixels);
    auto showAndClose = [&](uint8_t kind, int key, bool expectLost) {
        message.MessageKind = kind;
        platform.Script([&, key, expectLost] {
            EXPECT_EQ(Shows(Screen(message), MessageLayout::Plate, lost), expectLost);
            EXPECT_EQ(Shows(Screen(message), MessageLayout::Plate, win), !expectLost);
            EXPECT_FALSE(message.imgExit.Visible());
            platform.KeyPress(key);
        });
        message.ShowModal();
        EXPECT_FALSE(message.Visible());
    };
    showAndClose(mkWin, Key::Enter, false);
    showAndClose(mkLost, Key::Space, true);
    // A kind without a picture leaves the plate as it was.
    showAndClose(200, Key::Enter, true);
    showAndClose(mkWin, Key::Escape, false);  // as Enter does
    EXPECT_EQ(platform.Stalls(), 0);

    // Ok lights under the pointer, and a click on it closes the window.
    message.MessageKind = mkFill;
    platform.Script([&] {
        platform.KeyPress('A');  // not a key of this window
        EXPECT_TRUE(message.Visible());
        ClickAt(message, MessageLayout::Exit);
    });
    message.ShowModal();
    EXPECT_FALSE(message.Visible());
    EXPECT_EQ(platform.Stalls(), 0);
}

namespace {

using OptionsLayout::Choices;

class OptionsWindow : public WindowsTest {
protected:
    TfrmOptions* options = nullptr;
    std::array<Bitmap, OptionsLayout::ChoiceCount> marks;
    Bitmap background = Embedded(PictureWindow::Options, "ImgOptions");

    void SetUp() override {
        WindowsTest::SetUp();
        options = &app->CreateForm<TfrmOptions>();
        for (size_t i = 0; i < marks.size(); ++i) marks[i] = Embedded(PictureWindow::Options, Choices[i].Name);
    }
    // Which marks the screen shows: each choice area shows its mark or the
    // plain background, never anything else.
    std::array<bool, OptionsLayout::ChoiceCount> MarksOnScreen() {
        std::array<bool, OptionsLayout::ChoiceCount> shown{};
        for (size_t i = 0; i < marks.size(); ++i) {
            const Rect& a = Choices[i].Area;
            shown[i] = Shows(Screen(*options), a, marks[i]);
            Bitmap plain(a.Width, a.Height);
            for (int y = 0; y < a.Height; ++y)
                for (int x = 0; x < a.Width; ++x) plain.At(x, y) = background.At(a.Left + x, a.Top + y);
            EXPECT_TRUE(shown[i] || Shows(Screen(*options), a, plain)) << Choices[i].Name;
            EXPECT_EQ(shown[i], options->Marks[i]->Visible()) << Choices[i].Name;
        }
        return shown;
    }
    void Press(int choice) {
        const Rect& a = Choices[static_cast<size_t>(choice)].Area;
        ClickAt(*options, a);
    }
    int Modal(std::function<void()> steps) {
        platform.Script(std::move(steps));
        const int result = options->ShowModal();
        EXPECT_EQ(platform.Stalls(), 0);
        return result;
    }
};

}  // namespace

TEST_F(OptionsWindow, CancelDropsTheChoiceAndTheNextShowingMarksTheSettingsAgain) {
    using namespace OptionsLayout;
    const int result = Modal([&] {
        EXPECT_TRUE(MarksOnScreen()[Choice8]);
        Press(Choice10);
        EXPECT_EQ(options->PendingColors, 10);
        EXPECT_TRUE(MarksOnScreen()[Choice10]);
        EXPECT_FALSE(MarksOnScreen()[Choice8]);
        ClickAt(*options, OptionsLayout::Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(GameSettings.Colors, 8);

    EXPECT_EQ(Modal([&] {
                  EXPECT_TRUE(MarksOnScreen()[Choice8]);
                  EXPECT_FALSE(MarksOnScreen()[Choice10]);
                  EXPECT_FALSE(options->imgCancel.Visible());
                  Press(Choice5);
                  platform.KeyPress(Key::Escape);
              }),
              mrCancel);
    EXPECT_EQ(GameSettings.Spaces, 4);
}

TEST_F(OptionsWindow, DigitsAndYesNoKeysChooseAsAClickDoes) {
    using namespace OptionsLayout;
    EXPECT_EQ(Modal([&] {
                  platform.KeyPress(Key::Digit(5));
                  platform.KeyPress(Key::Digit(0));
                  platform.KeyPress('Y');
                  const auto shown = MarksOnScreen();
                  EXPECT_TRUE(shown[Choice5] && shown[Choice10] && shown[ChoiceYes]);
                  EXPECT_FALSE(shown[Choice4] || shown[Choice8] || shown[ChoiceNo]);
                  // Keys of no choice (7, 9, arrows) change nothing.
                  for (int key : {Key::Digit(7), Key::Digit(9), Key::Left, int('X')}) platform.KeyPress(key);
                  EXPECT_EQ(MarksOnScreen(), shown);
                  ClickAt(*options, OptionsLayout::Ok);
              }),
              mrOk);
    EXPECT_EQ(GameSettings.Spaces, 5);
    EXPECT_EQ(GameSettings.Colors, 10);
    EXPECT_TRUE(GameSettings.Doubles);

    EXPECT_EQ(Modal([&] {
                  platform.KeyPress(Key::Digit(4));
                  platform.KeyPress(Key::Digit(6));
                  platform.KeyPress('N');
                  EXPECT_EQ(options->PendingSpaces, 4);
                  EXPECT_EQ(options->PendingColors, 6);
                  EXPECT_FALSE(options->PendingDoubles);
                  platform.KeyPress(Key::Digit(1));  // 10 again, by its first digit
                  platform.KeyPress(Key::Digit(8));
                  EXPECT_EQ(options->PendingColors, 8);
                  EXPECT_TRUE(MarksOnScreen()[Choice8]);
                  platform.KeyPress(Key::Escape);
              }),
              mrCancel);
    EXPECT_EQ(GameSettings.Colors, 10);
}

TEST_F(OptionsWindow, OkAndEnterBothCommitTheChoiceAndEscapeDropsIt) {
    using namespace OptionsLayout;
    EXPECT_EQ(Modal([&] {
                  Press(Choice5);
                  Press(Choice10);
                  Press(ChoiceYes);
                  platform.KeyPress(Key::Enter);
              }),
              mrOk);
    EXPECT_EQ(GameSettings.Spaces, 5);
    EXPECT_EQ(GameSettings.Colors, 10);
    EXPECT_TRUE(GameSettings.Doubles);

    EXPECT_EQ(Modal([&] {
                  Press(Choice4);
                  Press(Choice6);
                  Press(ChoiceNo);
                  ClickAt(*options, OptionsLayout::Ok);
              }),
              mrOk);
    EXPECT_EQ(GameSettings.Spaces, 4);
    EXPECT_EQ(GameSettings.Colors, 6);
    EXPECT_FALSE(GameSettings.Doubles);

    EXPECT_EQ(Modal([&] {
                  Press(Choice5);
                  platform.KeyPress(Key::Escape);
              }),
              mrCancel);
    EXPECT_EQ(GameSettings.Spaces, 4);
}

TEST_F(OptionsWindow, PressesOutsideTheChoicesDragAndPressesInsideNever) {
    Modal([&] {
        const int left = options->Left(), top = options->Top();
        // On the word Spaces: the window follows the pointer.
        Down(*options, 40, 30);
        platform.PointerMove(left + 40 + 25, top + 30 - 10);
        platform.PointerUp(left + 40 + 25, top + 30 - 10);
        EXPECT_EQ(options->Left(), left + 25);
        EXPECT_EQ(options->Top(), top - 10);
        EXPECT_FALSE(options->Dragging());

        // On every pixel of every choice area, chosen or not: no drag.
        for (const OptionsLayout::Choice& c : Choices) {
            for (const Layout::Point p : {Layout::Point{c.Area.Left, c.Area.Top},
                                          Layout::Point{c.Area.Right() - 1, c.Area.Bottom() - 1}}) {
                const int l = options->Left(), t = options->Top();
                Down(*options, p.X, p.Y);
                EXPECT_FALSE(options->Dragging()) << c.Name;
                platform.PointerMove(l + p.X + 30, t + p.Y + 30);
                platform.PointerUp(l + p.X + 30, t + p.Y + 30);
                EXPECT_EQ(options->Left(), l) << c.Name;
                EXPECT_EQ(options->Top(), t) << c.Name;
            }
        }
        // A right press beside the choices does nothing either.
        const int l = options->Left();
        Down(*options, 40, 30, MouseButton::Right);
        EXPECT_FALSE(options->Dragging());
        Move(*options, 70, 30);
        EXPECT_EQ(options->Left(), l);
        Up(*options, 70, 30, MouseButton::Right);
        platform.KeyPress(Key::Escape);
    });
}

TEST_F(OptionsWindow, ExactlyOneMarkOfEachLineIsShownAfterAnyPresses) {
    using namespace OptionsLayout;
    const int lines[3][2] = {{Choice4, Choice5}, {Choice6, Choice10}, {ChoiceYes, ChoiceNo}};
    std::mt19937 random(7);
    Modal([&] {
        for (int step = 0; step < 60; ++step) {
            Press(static_cast<int>(random() % ChoiceCount));
            const auto shown = MarksOnScreen();
            for (const auto& line : lines) {
                int count = 0;
                for (int i = line[0]; i <= line[1]; ++i) count += shown[static_cast<size_t>(i)];
                ASSERT_EQ(count, 1) << "after press " << step << ", line from " << Choices[line[0]].Name;
            }
        }
        platform.KeyPress(Key::Escape);
    });
}
