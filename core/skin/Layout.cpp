#include "skin/Layout.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace perix {
namespace {

constexpr Rect kNowhere{};

// Where the looks of image buttons come from. The home page cuts its
// highlighted and pressed looks from "Over"; the sub-pages cut everything from
// "Main" except where a page says "Down"; the dialogs with "Main" and "Over"
// behave like the home page.
constexpr Looks kHomeLooks{SkinImage::Main, SkinImage::Over, SkinImage::Over, SkinImage::Main};
constexpr Looks kPageLooks{SkinImage::Main, SkinImage::Main, SkinImage::Main, SkinImage::Main};
constexpr Looks kPageLooksDownWhenChecked{SkinImage::Main, SkinImage::Main, SkinImage::Down, SkinImage::Main};
constexpr Looks kFrameLooks{SkinImage::Main, SkinImage::Over, SkinImage::Over, SkinImage::Main};
// A check box in a dialog with only two images: the tick is in "Over", so the
// pointer over an unticked box must not show it.
constexpr Looks kFrameCheckLooks{SkinImage::Main, SkinImage::Main, SkinImage::Over, SkinImage::Main};
constexpr Looks kFullLooks{SkinImage::Main, SkinImage::Over, SkinImage::Down, SkinImage::Disabled};

template <typename E>
constexpr ControlLayout Make(E id, std::string_view name, ControlKind kind, Rect rect) {
  ControlLayout c;
  c.index = static_cast<std::uint16_t>(id);
  c.name = name;
  c.kind = kind;
  c.rect = rect;
  return c;
}

template <typename E>
constexpr ControlLayout Button(E id, std::string_view name, Rect rect, int key, Looks looks,
                               std::uint16_t flags = 0) {
  ControlLayout c = Make(id, name, ControlKind::ImageButton, rect);
  c.captionKey = key;
  c.looks = looks;
  c.flags = flags;
  return c;
}

template <typename E>
constexpr ControlLayout Check(E id, std::string_view name, Rect rect, int key, Looks looks, std::uint16_t flags = 0) {
  ControlLayout c = Button(id, name, rect, key, looks, flags);
  c.kind = ControlKind::CheckButton;
  return c;
}

template <typename E>
constexpr ControlLayout Label(E id, std::string_view name, Rect rect, int key, TextAlign align = TextAlign::Left,
                              std::uint16_t flags = 0, int fontHeight = 0) {
  ControlLayout c = Make(id, name, ControlKind::Label, rect);
  c.captionKey = key;
  c.align = align;
  c.flags = flags;
  c.fontHeight = fontHeight;
  return c;
}

template <typename E>
constexpr ControlLayout FixedLabel(E id, std::string_view name, Rect rect, std::string_view text) {
  ControlLayout c = Label(id, name, rect, kNoCaption, TextAlign::Center);
  c.text = text;
  return c;
}

template <typename E>
constexpr ControlLayout Edit(E id, std::string_view name, Rect rect, int controlId, int maxChars, TextAlign align,
                             std::uint16_t flags) {
  ControlLayout c = Make(id, name, ControlKind::EditBox, rect);
  c.controlId = controlId;
  c.maxChars = maxChars;
  c.align = align;
  c.flags = flags;
  return c;
}

template <typename E>
constexpr ControlLayout Slider(E id, std::string_view name, Rect rect, int controlId, SliderLayout slider,
                               std::uint16_t flags = 0) {
  ControlLayout c = Make(id, name, ControlKind::SliderBar, rect);
  c.controlId = controlId;
  c.slider = slider;
  c.flags = flags;
  return c;
}

template <typename E>
constexpr ControlLayout Other(E id, std::string_view name, ControlKind kind, Rect rect, int controlId = 0) {
  ControlLayout c = Make(id, name, kind, rect);
  c.controlId = controlId;
  return c;
}

template <std::size_t N>
constexpr bool InEnumOrder(const ControlLayout (&table)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i].index != i) return false;
  }
  return true;
}

using F = std::uint16_t;
namespace CF = ControlFlag;

// ---------------------------------------------------------------------------
// Main window

#define MAIN(e) Control::e, #e

constexpr ControlLayout kMain[] = {
    // Home page. The spare button, the three profile-file buttons and the
    // window buttons are shown on every page.
    Button(MAIN(HomeSpare), kNowhere, kNoCaption, kHomeLooks, CF::EveryPage),
    Button(MAIN(HomeImport), {295, 96, 394, 129}, 72, kHomeLooks, CF::EveryPage),
    Button(MAIN(HomeResetAll), {397, 96, 504, 129}, 17, kHomeLooks, CF::EveryPage),
    Button(MAIN(HomeExport), {507, 96, 606, 129}, 74, kHomeLooks, CF::EveryPage),
    // Key 75 is read, but the program shows the web address instead.
    Button(MAIN(HomeWeb), {343, 617, 563, 650}, 75, kHomeLooks),
    Check(MAIN(HomeButtonTab), {48, 262, 174, 290}, 10, kHomeLooks),
    // Each tab label repeats the caption of the tab before it. At their old
    // places (40,358,166,387; 723,296,853,326; 67,308,195,339; 729,376,856,405)
    // two of them covered the advanced and macro tabs and the other two named
    // the wrong neighbour, so they are kept out of sight; the tabs carry their
    // own captions.
    Label(MAIN(HomeButtonTabLabel), kNowhere, 10, TextAlign::Center),
    Check(MAIN(HomeLightingTab), {732, 262, 856, 290}, 12, kHomeLooks),
    Label(MAIN(HomeLightingTabLabel), kNowhere, 12, TextAlign::Center),
    Check(MAIN(HomeAdvancedTab), {48, 376, 174, 405}, 13, kHomeLooks),
    Label(MAIN(HomeAdvancedTabLabel), kNowhere, 13, TextAlign::Center),
    Check(MAIN(HomeMacroTab), {732, 378, 856, 409}, 14, kHomeLooks),
    Label(MAIN(HomeMacroTabLabel), kNowhere, 14, TextAlign::Center),
    Button(MAIN(HomeMinimise), {819, 29, 845, 50}, kNoCaption, kHomeLooks, CF::EveryPage),
    Button(MAIN(HomeClose), {846, 29, 873, 50}, kNoCaption, kHomeLooks, CF::EveryPage),

    // Button page.
    Label(MAIN(ButtonHeading), {232, 218, 344, 239}, 1),
    Check(MAIN(ButtonProfile1), {187, 153, 293, 174}, 4, kPageLooks),
    Check(MAIN(ButtonProfile2), {294, 153, 400, 174}, 5, kPageLooks),
    Check(MAIN(ButtonProfile3), {401, 153, 507, 174}, 6, kPageLooks),
    Check(MAIN(ButtonProfile4), {508, 153, 614, 174}, 7, kPageLooks),
    Check(MAIN(ButtonProfile5), {615, 153, 721, 174}, 8, kPageLooks),
    Button(MAIN(ButtonLabel1), {222, 263, 392, 288}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonLabel2), {222, 302, 392, 327}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonLabel3), {222, 342, 392, 367}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonLabel4), {222, 380, 392, 405}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonLabel5), {222, 418, 392, 444}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonLabel6), {222, 457, 392, 483}, kNoCaption, kPageLooks),
    Button(MAIN(ButtonMacroPage), {222, 506, 348, 535}, 18, kPageLooks),
    Button(MAIN(ButtonBack), {780, 511, 858, 542}, 71, kPageLooks),

    // Advanced page: DPI stages. The stage captions are built by the page; the
    // key is read first.
    Check(MAIN(AdvancedStage1), {249, 194, 353, 251}, 6, kPageLooks, CF::WordWrap),
    Check(MAIN(AdvancedStage2), {356, 194, 461, 251}, 7, kPageLooks, CF::WordWrap),
    Check(MAIN(AdvancedStage3), {464, 194, 568, 251}, 8, kPageLooks, CF::WordWrap),
    Check(MAIN(AdvancedStage4), {571, 194, 675, 251}, 9, kPageLooks, CF::WordWrap),
    Slider(MAIN(AdvancedLevelSlider), {264, 323, 668, 338}, 10001,
           {1, 12, "arrow1.png", SkinImage::Down, SkinImage::Main}),
    Slider(MAIN(AdvancedLevelXSlider), {300, 322, 722, 337}, 10002,
           {1, 12, "arrow1.png", SkinImage::Main, SkinImage::None}, CF::AlwaysHidden),
    Slider(MAIN(AdvancedLevelYSlider), {300, 339, 722, 353}, 10003,
           {1, 12, "arrow1.png", SkinImage::Main, SkinImage::None}, CF::AlwaysHidden),
    FixedLabel(MAIN(AdvancedScale250), {253, 339, 298, 358}, "250"),
    FixedLabel(MAIN(AdvancedScale1000), {369, 339, 426, 358}, "1000"),
    FixedLabel(MAIN(AdvancedScale2500), {501, 339, 560, 358}, "2500"),
    FixedLabel(MAIN(AdvancedScale4000), {620, 339, 677, 358}, "4000"),
    Check(MAIN(AdvancedSeparateXY), kNowhere, 12, kPageLooks),
    // Advanced page: polling rate and pointer settings.
    Check(MAIN(AdvancedRate125), {249, 518, 354, 561}, 16, kPageLooks),
    Check(MAIN(AdvancedRate250), {357, 518, 465, 561}, 17, kPageLooks),
    Check(MAIN(AdvancedRate500), {468, 518, 569, 561}, 18, kPageLooks),
    Check(MAIN(AdvancedRate1000), {572, 518, 677, 561}, 19, kPageLooks),
    Slider(MAIN(AdvancedAccelerationSlider), {281, 442, 655, 461}, 10010,
           {1, 13, "arrow2.png", SkinImage::Main, SkinImage::None}),
    Label(MAIN(AdvancedDpiLabel), {249, 164, 676, 192}, 72),
    Label(MAIN(AdvancedLevelLabel), {249, 281, 676, 302}, 73),
    // The acceleration heading and the toggle share caption key 1: the toggle,
    // a check box, takes the heading's place (at 249, 387, 676, 408 the label
    // would cover it) so the words appear once.
    Label(MAIN(AdvancedAccelerationLabel), kNowhere, 1),
    Label(MAIN(AdvancedPollingLabel), {249, 486, 676, 507}, 74),
    Check(MAIN(AdvancedAccelerationToggle), {245, 384, 445, 410}, 1, kPageLooksDownWhenChecked),
    // Double-click speed and wheel lines, below the DPI dial: - value +.
    Button(MAIN(AdvancedDoubleClickUp), {168, 440, 198, 466}, 2, kPageLooks),
    Button(MAIN(AdvancedDoubleClickDown), {56, 440, 86, 466}, 3, kPageLooks),
    Button(MAIN(AdvancedScrollLinesUp), {168, 522, 198, 548}, 4, kPageLooks),
    Button(MAIN(AdvancedScrollLinesDown), {56, 522, 86, 548}, 5, kPageLooks),
    Button(MAIN(AdvancedDoubleClickValue), {92, 440, 162, 466}, 10, kPageLooks),
    Button(MAIN(AdvancedScrollLinesValue), {92, 522, 162, 548}, 11, kPageLooks),
    Label(MAIN(AdvancedDpiDialValue), {60, 282, 180, 312}, kNoCaption, TextAlign::Center, CF::VerticalCenter, 26),
    Label(MAIN(AdvancedDoubleClickLabel), {56, 412, 206, 432}, 10),
    Label(MAIN(AdvancedScrollLinesLabel), {56, 494, 206, 514}, 11),
    Button(MAIN(AdvancedBack), {780, 511, 858, 542}, 71, kPageLooks),

    // Lighting page.
    Check(MAIN(LightingOn), {69, 172, 167, 201}, 43, kPageLooks),
    Check(MAIN(LightingOff), {176, 172, 274, 201}, 6, kPageLooks),
    Button(MAIN(LightingMode), {333, 211, 452, 231}, kNoCaption, kPageLooks),
    // The direction of modes 2 and 5, beside the mode it belongs to.
    Button(MAIN(LightingDirection), {462, 211, 581, 231}, kNoCaption, kPageLooks),
    Slider(MAIN(LightingBrightnessSlider), {320, 320, 607, 335}, 10009,
           {1, 6, "arrow1.png", SkinImage::Down, SkinImage::Main}),
    Label(MAIN(LightingBrightnessPercent), {611, 321, 640, 333}, kNoCaption, TextAlign::Center),
    Check(MAIN(LightingSpeedToggle), {329, 414, 397, 437}, 7, kPageLooksDownWhenChecked),
    Slider(MAIN(LightingSpeedSlider), {378, 468, 626, 486}, 10008,
           {1, 9, "arrow2.png", SkinImage::Main, SkinImage::None}),
    Other(MAIN(LightingColorPicker), ControlKind::ColorPicker, {64, 254, 284, 507}, 10011),
    Label(MAIN(LightingColorLabel), {66, 222, 253, 247}, 1),
    Label(MAIN(LightingEffectLabel), {329, 172, 491, 201}, 2),
    Label(MAIN(LightingBrightnessLabel), {324, 278, 470, 308}, 3),
    Label(MAIN(LightingSpeedLabel), {324, 374, 470, 404}, 4),
    Button(MAIN(LightingSpare1), kNowhere, 3, kPageLooks),
    Button(MAIN(LightingSpare2), kNowhere, 4, kPageLooks),
    Button(MAIN(LightingSpare3), kNowhere, 5, kPageLooks),
    Button(MAIN(LightingBack), {780, 511, 858, 542}, 71, kPageLooks),

    // Macro page. The delay-mode and loop buttons show their checked look from
    // "Down", the only use the page has for that image; cut from "Main" the
    // chosen mode would look like the others.
    Label(MAIN(MacroTotalDelayLabel), {125, 495, 334, 515}, 18, TextAlign::Right),
    Label(MAIN(MacroActionCountLabel), {125, 516, 334, 536}, 19, TextAlign::Right),
    Label(MAIN(MacroEditLabel), {403, 396, 581, 415}, 20),
    Label(MAIN(MacroLoopUnitLabel), {496, 367, 575, 386}, 21, TextAlign::Left, CF::VerticalCenter),
    Button(MAIN(MacroNameButton), {81, 178, 212, 198}, kNoCaption, kPageLooks),
    Button(MAIN(MacroNew), {220, 176, 271, 201}, 2, kPageLooks),
    Button(MAIN(MacroRename), {275, 176, 326, 201}, 4, kPageLooks),
    Button(MAIN(MacroImport), {330, 176, 381, 201}, 16, kPageLooks),
    Button(MAIN(MacroExport), {445, 176, 510, 201}, 3, kPageLooks),
    Button(MAIN(MacroDelete), {516, 176, 580, 201}, 1, kPageLooks),
    Button(MAIN(MacroRecord), {129, 540, 226, 568}, 5, kPageLooks),
    Button(MAIN(MacroStop), {247, 540, 344, 568}, 17, kPageLooks, CF::StartsDisabled),
    Check(MAIN(MacroDelayRecorded), {409, 221, 581, 260}, 6, kPageLooksDownWhenChecked),
    Check(MAIN(MacroDelayFixed), {409, 264, 581, 283}, 7, kPageLooksDownWhenChecked),
    Check(MAIN(MacroDelayNone), {409, 313, 581, 332}, 8, kPageLooksDownWhenChecked),
    Check(MAIN(MacroLoop), {409, 345, 581, 362}, 9, kPageLooksDownWhenChecked),
    Edit(MAIN(MacroDelayBox), {441, 288, 477, 305}, 20481, 5, TextAlign::Center, CF::DigitsOnly),
    Edit(MAIN(MacroLoopBox), {441, 368, 490, 385}, 20482, 3, TextAlign::Center, CF::DigitsOnly),
    Button(MAIN(MacroMoveUp), {413, 450, 568, 471}, 12, kPageLooks),
    Button(MAIN(MacroDeleteAction), {413, 481, 568, 502}, 13, kPageLooks),
    Button(MAIN(MacroMoveDown), {413, 512, 568, 533}, 14, kPageLooks),
    Button(MAIN(MacroActionMenu), {413, 543, 568, 564}, 15, kPageLooks),
    Button(MAIN(MacroMouseActionMenu), {425, 419, 556, 439}, kNoCaption, kPageLooks),
    Other(MAIN(MacroActionList), ControlKind::ListBox, {80, 218, 381, 490}, 4114),
    Button(MAIN(MacroBack), {780, 511, 858, 542}, 71, kPageLooks),
};
#undef MAIN

static_assert(std::size(kMain) == kControlCount, "one entry per control");
static_assert(InEnumOrder(kMain), "entries in enum order");

constexpr std::string_view kHomeScreen[] = {"Main", "Over"};
constexpr std::string_view kMainOnlyScreen[] = {"Main"};
constexpr std::string_view kMainDownScreen[] = {"Main", "Down"};

constexpr PageLayout kPagesInBuildOrder[] = {
    {Page::Home, PageIdentifier(Page::Home), "Home", "skin_main.ini", kHomeScreen, Control::HomeSpare,
     Control::ButtonHeading},
    {Page::Buttons, PageIdentifier(Page::Buttons), "Buttons", "skin_button.ini", kMainOnlyScreen,
     Control::ButtonHeading, Control::AdvancedStage1},
    {Page::Advanced, PageIdentifier(Page::Advanced), "Advanced", "skin_advance.ini", kMainDownScreen,
     Control::AdvancedStage1, Control::LightingOn},
    {Page::Lighting, PageIdentifier(Page::Lighting), "Lighting", "skin_color.ini", kMainDownScreen,
     Control::LightingOn, Control::MacroTotalDelayLabel},
    {Page::Macros, PageIdentifier(Page::Macros), "Macros", "skin_macro.ini", kMainDownScreen,
     Control::MacroTotalDelayLabel, Control::Count},
};

constexpr bool PagesCoverTheTableInOrder() {
  Control next = Control::HomeSpare;
  for (const PageLayout& page : kPagesInBuildOrder) {
    if (page.first != next || page.end <= page.first) return false;
    next = page.end;
  }
  return next == Control::Count;
}
static_assert(PagesCoverTheTableInOrder(), "pages own consecutive runs of controls in build order");

// ---------------------------------------------------------------------------
// Colour picker

#define PICK(e) ColorPickerControl::e, #e
constexpr std::uint16_t kChannelBox = CF::DigitsOnly;
constexpr Looks kNoLooks{};

constexpr ControlLayout kColorPicker[] = {
    Edit(PICK(RedBox), {73, 200, 106, 216}, 20483, 3, TextAlign::Left, kChannelBox),
    Edit(PICK(GreenBox), {73, 218, 106, 233}, 20484, 3, TextAlign::Left, kChannelBox),
    Edit(PICK(BlueBox), {73, 234, 106, 251}, 20485, 3, TextAlign::Left, kChannelBox),
    Edit(PICK(HexBox), {150, 217, 210, 234}, 20486, 6, TextAlign::Left, CF::DigitsOnly | CF::ReadOnly),
    // Buttons without images: the page image under them shows the arrows.
    Button(PICK(RedUp), {107, 200, 118, 207}, kNoCaption, kNoLooks),
    Button(PICK(RedDown), {107, 209, 118, 216}, kNoCaption, kNoLooks),
    Button(PICK(GreenUp), {107, 218, 118, 225}, kNoCaption, kNoLooks),
    Button(PICK(GreenDown), {107, 227, 118, 233}, kNoCaption, kNoLooks),
    Button(PICK(BlueUp), {107, 234, 118, 241}, kNoCaption, kNoLooks),
    Button(PICK(BlueDown), {107, 243, 118, 251}, kNoCaption, kNoLooks),
};
#undef PICK
static_assert(std::size(kColorPicker) == static_cast<std::size_t>(ColorPickerControl::Count));
static_assert(InEnumOrder(kColorPicker));

// ---------------------------------------------------------------------------
// Dialogs

// The frame of the key, number-entry, rename, fire-key, X-shoot and DPI-shift
// dialogs.
constexpr Rect kFrameOk{170, 249, 271, 269};
constexpr Rect kFrameCancel{277, 249, 378, 269};
constexpr Rect kFrameClose{363, 11, 387, 35};
constexpr Size kFrameSize{400, 285};
// The field the key display, the number box and the rename box share.
constexpr Rect kFrameField{49, 128, 151, 143};

#define KEY(e) KeyDialogControl::e, #e
constexpr ControlLayout kKeyDialog[] = {
    Button(KEY(Ok), kFrameOk, 1, kFrameLooks),
    Button(KEY(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(KEY(Close), kFrameClose, kNoCaption, kFrameLooks),
    Other(KEY(Display), ControlKind::MacroDisplay, kFrameField),
    // The dialog's image is shared with the number-entry and rename dialogs,
    // so its title is a caption rather than part of the picture.
    Label(KEY(Heading), {36, 14, 340, 34}, 8, TextAlign::Left, CF::VerticalCenter),
    Label(KEY(Hint), {49, 106, 380, 124}, 9),
    Label(KEY(Note), {49, 152, 380, 170}, 10),
};
#undef KEY

#define NUM(e) NumberEntryControl::e, #e
constexpr ControlLayout kNumberEntry[] = {
    Button(NUM(Ok), kFrameOk, 1, kFrameLooks),
    Button(NUM(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(NUM(Close), kFrameClose, kNoCaption, kFrameLooks),
    Edit(NUM(NumberBox), kFrameField, 0, 6, TextAlign::Center, CF::DigitsOnly),
    Label(NUM(Prompt), {69, 108, 153, 125}, kNoCaption, TextAlign::Left, CF::VerticalCenter),
    Label(NUM(Heading), {36, 14, 340, 34}, 13, TextAlign::Left, CF::VerticalCenter),
};
#undef NUM

#define REN(e) RenameControl::e, #e
constexpr ControlLayout kRename[] = {
    Button(REN(Ok), kFrameOk, 1, kFrameLooks),
    Button(REN(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(REN(Close), kFrameClose, kNoCaption, kFrameLooks),
    Edit(REN(NameBox), kFrameField, 0, 0, TextAlign::Center, 0),
    Label(REN(Heading), {36, 14, 340, 34}, 11, TextAlign::Left, CF::VerticalCenter),
    Label(REN(Hint), {49, 106, 380, 124}, 12),
};
#undef REN

#define FIRE(e) FireKeyControl::e, #e
constexpr ControlLayout kFireKey[] = {
    Button(FIRE(Ok), kFrameOk, 1, kFrameLooks),
    Button(FIRE(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(FIRE(Close), kFrameClose, kNoCaption, kFrameLooks),
    Label(FIRE(SpeedLabel), {38, 107, 128, 129}, 3, TextAlign::Left, CF::VerticalCenter),
    Label(FIRE(SpeedValue), {130, 107, 180, 129}, kNoCaption, TextAlign::Left, CF::VerticalCenter),
    Label(FIRE(SlowLabel), {41, 156, 65, 169}, 4),
    Label(FIRE(FastLabel), {335, 156, 364, 169}, 5, TextAlign::Right),
    Label(FIRE(UnitLabel), {317, 187, 373, 206}, 6, TextAlign::Left, CF::VerticalCenter),
    Label(FIRE(IntervalLabel), {165, 187, 257, 206}, 7, TextAlign::Right, CF::VerticalCenter),
    // The filled part of the track comes from "Over", the dialog's only other
    // image.
    Slider(FIRE(Slider), {39, 142, 369, 154}, 10012, {10, 200, "arrow3.png", SkinImage::Main, SkinImage::Over}),
    // The value is stored in one byte: 0..255.
    Edit(FIRE(ValueBox), {262, 188, 307, 205}, 20481, 3, TextAlign::Left, CF::DigitsOnly),
    Edit(FIRE(CountBox), {115, 188, 160, 205}, 20482, 3, TextAlign::Left, CF::DigitsOnly),
    Check(FIRE(Unlimited), {34, 186, 111, 205}, 8, kFrameCheckLooks, CF::ToggleMode),
};
#undef FIRE

#define SHOT(e) XShootControl::e, #e
constexpr ControlLayout kXShoot[] = {
    Button(SHOT(Ok), kFrameOk, 1, kFrameLooks),
    Button(SHOT(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(SHOT(Close), kFrameClose, kNoCaption, kFrameLooks),
    Edit(SHOT(TargetBox), {38, 83, 130, 98}, 0, 1, TextAlign::Center, 0),
    Button(SHOT(ChoiceButton), {131, 83, 146, 98}, kNoCaption, kFrameLooks),
    Edit(SHOT(SecondBox), {38, 133, 146, 148}, 0, 3, TextAlign::Center, CF::DigitsOnly),
    Edit(SHOT(FirstBox), {38, 183, 146, 198}, 0, 3, TextAlign::Center, CF::DigitsOnly),
    Label(SHOT(SecondLabel), {47, 110, 132, 126}, 7),
    Label(SHOT(FirstLabel), {47, 160, 132, 176}, 8),
    // The second line reaches 3 pixels into the OK and Cancel buttons; its
    // text, drawn from the top, stays clear of them.
    Label(SHOT(NoteLine1), {30, 209, 323, 226}, 9),
    Label(SHOT(NoteLine2), {30, 235, 323, 252}, 10),
};
#undef SHOT

#define SHIFT(e) DpiShiftControl::e, #e
constexpr ControlLayout kDpiShift[] = {
    Button(SHIFT(Ok), kFrameOk, 1, kFrameLooks),
    Button(SHIFT(Cancel), kFrameCancel, 2, kFrameLooks),
    Button(SHIFT(Close), kNowhere, kNoCaption, kFrameLooks),
    Button(SHIFT(LevelButton), {35, 132, 145, 149}, kNoCaption, kFrameLooks),
    Label(SHIFT(LevelLabel), {35, 108, 300, 126}, 3),
    Label(SHIFT(Note1), {35, 164, 380, 182}, 8),
    Label(SHIFT(Note2), {35, 184, 380, 202}, 9),
    Label(SHIFT(Note3), {35, 204, 380, 222}, 10),
};
#undef SHIFT

#define SEL(e) MacroSelectControl::e, #e
constexpr ControlLayout kMacroSelect[] = {
    Button(SEL(Ok), kFrameOk, 1, kFullLooks),
    Button(SEL(Cancel), kFrameCancel, 2, kFullLooks),
    Button(SEL(Close), kFrameClose, kNoCaption, kFullLooks),
    // As wide as the macro name menu that opens under it.
    Button(SEL(MacroDropDown), {40, 80, 200, 102}, 3, kFullLooks),
    Check(SEL(Mode0), {40, 136, 360, 158}, 4, kFullLooks),
    Check(SEL(Mode1), {40, 162, 360, 184}, 5, kFullLooks),
    Check(SEL(Mode2), {40, 188, 360, 210}, 6, kFullLooks),
    Label(SEL(MacroLabel), {40, 58, 360, 76}, 7),
    Label(SEL(ModeLabel), {40, 114, 360, 132}, 8),
    Label(SEL(Hint), {40, 218, 360, 236}, 9),
};
#undef SEL

constexpr Size kMacroNameMenuSize{160, kMacroNameMenuMaxRows * kMacroNameMenuRowHeight + 2};

#define LIST(e) MacroNameMenuControl::e, #e
constexpr ControlLayout kMacroNameMenu[] = {
    // The list is rows * 20 + 2 high; this is its largest size.
    Other(LIST(List), ControlKind::ListBox, {0, 0, kMacroNameMenuSize.width, kMacroNameMenuSize.height}, 4113),
};
#undef LIST

static_assert(std::size(kKeyDialog) == static_cast<std::size_t>(KeyDialogControl::Count) && InEnumOrder(kKeyDialog));
static_assert(std::size(kNumberEntry) == static_cast<std::size_t>(NumberEntryControl::Count) &&
              InEnumOrder(kNumberEntry));
static_assert(std::size(kRename) == static_cast<std::size_t>(RenameControl::Count) && InEnumOrder(kRename));
static_assert(std::size(kFireKey) == static_cast<std::size_t>(FireKeyControl::Count) && InEnumOrder(kFireKey));
static_assert(std::size(kXShoot) == static_cast<std::size_t>(XShootControl::Count) && InEnumOrder(kXShoot));
static_assert(std::size(kDpiShift) == static_cast<std::size_t>(DpiShiftControl::Count) && InEnumOrder(kDpiShift));
static_assert(std::size(kMacroSelect) == static_cast<std::size_t>(MacroSelectControl::Count) &&
              InEnumOrder(kMacroSelect));
static_assert(std::size(kMacroNameMenu) == static_cast<std::size_t>(MacroNameMenuControl::Count) &&
              InEnumOrder(kMacroNameMenu));

constexpr std::string_view kFrameScreen[] = {"Main", "Over"};
constexpr std::string_view kFullScreen[] = {"Mask", "Main", "Down", "Over", "Disabled"};

constexpr DialogLayout kDialogs[] = {
    {Dialog::Key, "Key", "CKeyExDlg", "skin_singlekey.ini", kFrameScreen, kFrameSize, 0, kKeyDialog},
    {Dialog::NumberEntry, "NumberEntry", "CEditDelay", "skin_singlekey.ini", kFrameScreen, kFrameSize, 130,
     kNumberEntry},
    {Dialog::Rename, "Rename", "CRenameProfileDlg", "skin_singlekey.ini", kFrameScreen, kFrameSize, 0, kRename},
    {Dialog::FireKey, "FireKey", "CGunfireDlg", "skin_gunfire.ini", kFrameScreen, kFrameSize, 134, kFireKey},
    {Dialog::XShoot, "XShoot", "CXShoot", "skin_Xshoot.ini", kFrameScreen, kFrameSize, 130, kXShoot},
    {Dialog::DpiShift, "DpiShift", "CDPIShift", "skin_shift.ini", kFrameScreen, kFrameSize, 130, kDpiShift},
    {Dialog::MacroSelect, "MacroSelect", "CMacroSelDlg", "skin_macrosel.ini", kFullScreen, kFrameSize, 142,
     kMacroSelect},
    {Dialog::MacroNameMenu, "MacroNameMenu", "CMacroNameMenu", "macromenu.ini", kFullScreen, kMacroNameMenuSize, 150,
     kMacroNameMenu},
};
static_assert(std::size(kDialogs) == static_cast<std::size_t>(Dialog::Count));

constexpr bool DialogsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kDialogs); ++i) {
    if (static_cast<std::size_t>(kDialogs[i].dialog) != i) return false;
  }
  return true;
}
static_assert(DialogsInEnumOrder());

// ---------------------------------------------------------------------------
// Menus

// The assignment menu has 13 entries and the program keeps it inside a
// 157 x 264 box, which only the compact 19-pixel items fit.
constexpr MenuLayout kMenus[] = {
    {Menu::Assignment, "Assignment", "button_menu1_normal.png", "button_menu1_over.png", "button_menu1_down.png",
     "button_menu1_normal.png", 19, 1, 13, {157, 264}},
    {Menu::AssignmentGroup, "AssignmentGroup", "menu_normal.png", "menu_over.png", "menu_down.png", "menu_normal.png",
     24, 0, 11, {157, 11 * 24 + 1}},
    {Menu::LedMode, "LedMode", "2menu_normal.png", "1menu_over.png", "1menu_down.png", "1menu_normal.png", 24, 0, 5,
     {150, 5 * 24}},
    {Menu::LedDirection, "LedDirection", "3menu_normal.png", "1menu_over.png", "1menu_down.png", "1menu_normal.png", 24,
     0, 2, {150, 4 * 24}},
    {Menu::ShootChoice, "ShootChoice", "3menu_normal.png", "1menu_over.png", "1menu_down.png", "1menu_normal.png", 24,
     0, 4, {150, 4 * 24}},
    {Menu::DpiShiftLevel, "DpiShiftLevel", "3menu_normal.png", "1menu_over.png", "1menu_down.png",
     "1menu_normal.png", 24, 0, 4, {150, 4 * 24}},
    {Menu::MacroStep, "MacroStep", "3menu_normal.png", "1menu_over.png", "1menu_down.png", "1menu_normal.png", 24, 0,
     4, {150, 4 * 24}},
    {Menu::MouseAction, "MouseAction", "4menu_normal.png", "1menu_over.png", "1menu_down.png", "1menu_normal.png", 24,
     0, 7, {150, 7 * 24}},
};
static_assert(std::size(kMenus) == static_cast<std::size_t>(Menu::Count));

constexpr std::string_view kFixedSkinFiles[] = {
    kLogoImage,
    kIdImage,
    "arrow1.png",
    "arrow2.png",
    "arrow3.png",
    kHueBarImage,
    kHueMarkLeftImage,
    kHueMarkRightImage,
    "1menu_normal.png",
    "1menu_over.png",
    "1menu_down.png",
    "2menu_normal.png",
    "3menu_normal.png",
    "4menu_normal.png",
    "button_menu1_normal.png",
    "button_menu1_over.png",
    "button_menu1_down.png",
    "menu_normal.png",
    "menu_over.png",
    "menu_down.png",
    kMacroNameMenuImage,
};

}  // namespace

std::span<const ControlLayout> MainControls() { return kMain; }

const ControlLayout& LayoutOf(Control control) { return kMain[static_cast<std::size_t>(control)]; }

Page PageOf(Control control) {
  for (const PageLayout& page : kPagesInBuildOrder) {
    if (control >= page.first && control < page.end) return page.page;
  }
  return Page::Home;
}

std::span<const ControlLayout> ControlsOfPage(Page page) {
  const PageLayout& layout = PageLayoutOf(page);
  const auto first = static_cast<std::size_t>(layout.first);
  return std::span<const ControlLayout>(kMain).subspan(first, static_cast<std::size_t>(layout.end) - first);
}

std::span<const PageLayout> PagesInBuildOrder() { return kPagesInBuildOrder; }

const PageLayout& PageLayoutOf(Page page) {
  const auto* found = std::find_if(std::begin(kPagesInBuildOrder), std::end(kPagesInBuildOrder),
                                   [page](const PageLayout& p) { return p.page == page; });
  return found != std::end(kPagesInBuildOrder) ? *found : kPagesInBuildOrder[0];
}

Control PageTab(Page page) {
  switch (page) {
    case Page::Buttons: return Control::HomeButtonTab;
    case Page::Lighting: return Control::HomeLightingTab;
    case Page::Advanced: return Control::HomeAdvancedTab;
    case Page::Macros: return Control::HomeMacroTab;
    case Page::Home: break;
  }
  return Control::Count;
}

Control PageBackButton(Page page) {
  switch (page) {
    case Page::Buttons: return Control::ButtonBack;
    case Page::Lighting: return Control::LightingBack;
    case Page::Advanced: return Control::AdvancedBack;
    case Page::Macros: return Control::MacroBack;
    case Page::Home: break;
  }
  return Control::Count;
}

bool PageFromIdentifier(int identifier, Page& page) {
  const int index = identifier - kFirstPageIdentifier;
  if (index < 0 || index >= static_cast<int>(kPageCount)) return false;
  page = static_cast<Page>(index);
  return true;
}

std::span<const ControlLayout> ColorPickerControls() { return kColorPicker; }

const ControlLayout& LayoutOf(ColorPickerControl control) { return kColorPicker[static_cast<std::size_t>(control)]; }

std::span<const DialogLayout> Dialogs() { return kDialogs; }

const DialogLayout& DialogLayoutOf(Dialog dialog) { return kDialogs[static_cast<std::size_t>(dialog)]; }

std::span<const MenuLayout> Menus() { return kMenus; }

const MenuLayout& MenuLayoutOf(Menu menu) { return kMenus[static_cast<std::size_t>(menu)]; }

Rect MenuItemRect(const MenuLayout& menu, int item) {
  const int top = item * menu.itemHeight + menu.firstItemTop;
  const int bottom = std::min((item + 1) * menu.itemHeight, menu.size.height);
  return {0, top, menu.size.width, bottom};
}

std::span<const std::string_view> FixedSkinFiles() { return kFixedSkinFiles; }

std::string_view ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::ImageButton: return "ImageButton";
    case ControlKind::CheckButton: return "CheckButton";
    case ControlKind::Label: return "Label";
    case ControlKind::EditBox: return "EditBox";
    case ControlKind::SliderBar: return "SliderBar";
    case ControlKind::ColorPicker: return "ColorPicker";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::MacroDisplay: return "MacroDisplay";
  }
  return "";
}

std::string_view SkinImageName(SkinImage image) {
  switch (image) {
    case SkinImage::None: return "";
    case SkinImage::Main: return "Main";
    case SkinImage::Over: return "Over";
    case SkinImage::Down: return "Down";
    case SkinImage::Disabled: return "Disabled";
  }
  return "";
}

SkinImage SkinImageFromName(std::string_view key) {
  for (SkinImage image : {SkinImage::Main, SkinImage::Over, SkinImage::Down, SkinImage::Disabled}) {
    if (key == SkinImageName(image)) return image;
  }
  return SkinImage::None;
}

std::string_view TextAlignName(TextAlign align) {
  switch (align) {
    case TextAlign::Left: return "left";
    case TextAlign::Center: return "center";
    case TextAlign::Right: return "right";
  }
  return "";
}

std::string_view PageName(Page page) { return PageLayoutOf(page).name; }

}  // namespace perix
