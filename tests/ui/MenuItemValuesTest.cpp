#include <gtest/gtest.h>
#include <memory>

#include "SoundLog.h"
#include "StandInResources.h"
#include "UiTestSupport.h"
#include "frame/Resources.h"
#include "ui/Menu.h"
#include "ui/MenuItemSlider.h"
#include "ui/MenuItemToggle.h"

namespace {

const int STAR_VALUES[] = {0, 100, 300, 600};
const char* const STAR_NAMES[] = {"none", "few", "some", "a lot"};

class MenuItemValues : public testing::Test {
protected:
    StandInResources resources;
    SoundLog sounds;
    Menu menu;

    MenuItemSlider* addSlider(int* bound, int y)
    {
        auto slider = std::make_unique<MenuItemSlider>("Stars", OptionsMenu, y, bound, 4, STAR_VALUES, STAR_NAMES);
        MenuItemSlider* added = slider.get();
        menu.addItem(std::move(slider));
        return added;
    }

    // Enter finishes the options menu; the application shows it again at once.
    void chooseWithEnter()
    {
        EXPECT_TRUE(tap(menu, KEY_ENTER));
        EXPECT_EQ(OptionsMenu, menu.getResult());
    }
};

} // namespace

TEST_F(MenuItemValues, AHighlightedToggleTurnsAnyValueOnThenOff)
{
    int vsync = 5;
    int showFps = 1;
    menu.addItem(std::make_unique<MenuItemToggle>("Use vsync", OptionsMenu, 80, &vsync));
    menu.addItem(std::make_unique<MenuItemToggle>("Show FPS", OptionsMenu, 112, &showFps));
    menu.start();

    chooseWithEnter();
    EXPECT_EQ(1, vsync);
    chooseWithEnter();
    EXPECT_EQ(0, vsync);
    EXPECT_EQ(1, showFps) << "only the highlighted toggle changes";
    EXPECT_EQ(2, sounds.playsOf(selectSample));
}

TEST_F(MenuItemValues, ASliderStopsAtItsEndsButStillSoundsAndStepsBack)
{
    int stars = 600;
    addSlider(&stars, 160);
    menu.start();

    tap(menu, KEY_RIGHT);
    EXPECT_EQ(600, stars);
    EXPECT_EQ(1, sounds.playsOf(selectSample));
    tap(menu, KEY_LEFT);
    EXPECT_EQ(300, stars);
    tap(menu, KEY_BACKSPACE);
    EXPECT_EQ(100, stars);
    tap(menu, KEY_LEFT);
    tap(menu, KEY_LEFT);
    EXPECT_EQ(0, stars);
    EXPECT_EQ(5, sounds.playsOf(selectSample));

    // Enter steps up too; the menu's own select sound is the only one.
    sounds.clear();
    chooseWithEnter();
    EXPECT_EQ(100, stars);
    EXPECT_EQ(1, sounds.playsOf(selectSample));
}

TEST_F(MenuItemValues, ASliderThatIsNotHighlightedIgnoresItsKeys)
{
    int stars = 300;
    menu.addItem(std::make_unique<MenuItem>("Particles", OptionsMenu, 144));
    MenuItemSlider* slider = addSlider(&stars, 160);
    menu.start();

    tap(menu, KEY_RIGHT);
    tap(menu, KEY_LEFT);
    tap(menu, KEY_BACKSPACE);
    EXPECT_EQ(300, stars);
    EXPECT_EQ(0, sounds.playsOf(selectSample));

    // Settings edited elsewhere show at the next tick.
    stars = 100;
    menu.logic();
    EXPECT_EQ(1, slider->index);
}

TEST_F(MenuItemValues, AValueOutsideTheTableShowsAsTheFirstChoiceAndStepsFromIt)
{
    int stars = 42;
    MenuItemSlider* slider = addSlider(&stars, 160);
    EXPECT_EQ(0, slider->index);
    menu.start();
    menu.logic();
    EXPECT_EQ(42, stars) << "only a step writes the setting";
    tap(menu, KEY_RIGHT);
    EXPECT_EQ(100, stars);

    stars = 42;
    tap(menu, KEY_LEFT);
    EXPECT_EQ(0, stars);
}
