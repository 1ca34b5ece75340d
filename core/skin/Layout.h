#pragma once
// Where every control of the main window, of the skinned dialogs and of the
// colour picker sits, what kind of control it is, which BUTTONPOS caption it
// reads and from which window image each of its looks is cut. Positions are
// fixed by the program; a skin changes only images and captions. The default
// skin's generator reads these tables through tools/layout-dump, so every
// rectangle is written down here and nowhere else.
//
// The enums list the controls in the order the windows create them, so
// walking a table from the front repeats BuildMainWindow: the home page, then
// the button, advanced, lighting and macro pages.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "skin/PixelGeometry.h"

namespace perix {

enum class ControlKind : std::uint8_t {
  ImageButton,   // CBitmapBtn used as a push button
  CheckButton,   // CBitmapBtn whose check state shows its pressed look
  Label,         // CStaticTrans
  EditBox,       // CClrEdit
  SliderBar,     // CPngHSliderBar with its CPngHSlider thumb
  ColorPicker,   // COwnColorSelect
  ListBox,       // CListBoxEx
  MacroDisplay,  // CVantorMacroDisplay
};

// The window image a look is cut from: the "Screen" key of the skin file.
enum class SkinImage : std::uint8_t { None, Main, Over, Down, Disabled };

// The four state images of an image button.
struct Looks {
  SkinImage normal = SkinImage::None;
  SkinImage highlighted = SkinImage::None;
  SkinImage pressed = SkinImage::None;
  SkinImage disabled = SkinImage::None;
};

enum class TextAlign : std::uint8_t { Left, Center, Right };

struct SliderLayout {
  int minimum = 0;
  int maximum = 0;
  std::string_view thumb;  // file in the skin folder
  SkinImage background = SkinImage::None;
  SkinImage filled = SkinImage::None;  // drawn left of the thumb; None when the bar has no filled part
};

namespace ControlFlag {
inline constexpr std::uint16_t EveryPage = 1 << 0;       // a home page control that stays on every page
inline constexpr std::uint16_t AlwaysHidden = 1 << 1;    // created with a place but never shown
inline constexpr std::uint16_t StartsDisabled = 1 << 2;  // created disabled
inline constexpr std::uint16_t ToggleMode = 1 << 3;      // a click flips the check state itself
inline constexpr std::uint16_t DigitsOnly = 1 << 4;      // edit box accepts digits only
inline constexpr std::uint16_t ReadOnly = 1 << 5;        // edit box shows a value and is disabled
inline constexpr std::uint16_t WordWrap = 1 << 6;        // caption wraps inside the whole control
inline constexpr std::uint16_t VerticalCenter = 1 << 7;  // single-line text centred vertically
}  // namespace ControlFlag

inline constexpr int kNoCaption = -1;

struct ControlLayout {
  std::uint16_t index = 0;  // the control's enum value; the tables are checked to hold it
  std::string_view name;    // the enum name, for tools
  ControlKind kind = ControlKind::ImageButton;
  Rect rect;
  int captionKey = kNoCaption;  // key of section "BUTTONPOS" in the window's skin file
  Looks looks;
  int controlId = 0;  // 0 = none; image buttons are told apart by window handle
  std::uint16_t flags = 0;
  TextAlign align = TextAlign::Center;
  int maxChars = 0;       // edit boxes: the text limit; 0 = none
  std::string_view text;  // a caption fixed by the program rather than read from the skin
  SliderLayout slider;      // slider bars only
  int fontHeight = 0;       // labels: the text height; 0 = the skin's usual one

  constexpr bool Has(std::uint16_t flag) const { return (flags & flag) != 0; }
  // Whether the control can ever be seen: it has a place and is not kept hidden.
  constexpr bool IsVisible() const { return !rect.IsEmpty() && !Has(ControlFlag::AlwaysHidden); }
};

// ---------------------------------------------------------------------------
// Main window

// The pages in the order of their identifiers (100000 + the enum value).
enum class Page : std::uint8_t { Home, Buttons, Macros, Lighting, Advanced };
inline constexpr std::size_t kPageCount = 5;
inline constexpr int kFirstPageIdentifier = 100000;
// The state the main window enters on the service's request 1294: every page
// control is hidden except the button page's back button, and no page image is
// painted.
inline constexpr int kBlankPageIdentifier = 100005;

enum class Control : std::uint16_t {
  // Home page, "skins\skin_main.ini". The spare button is created first; each
  // tab label right after its tab.
  HomeSpare,
  HomeImport,
  HomeResetAll,
  HomeExport,
  HomeWeb,
  HomeButtonTab,
  HomeButtonTabLabel,
  HomeLightingTab,
  HomeLightingTabLabel,
  HomeAdvancedTab,
  HomeAdvancedTabLabel,
  HomeMacroTab,
  HomeMacroTabLabel,
  HomeMinimise,
  HomeClose,

  // Button page, "skins\skin_button.ini".
  ButtonHeading,
  ButtonProfile1,
  ButtonProfile2,
  ButtonProfile3,
  ButtonProfile4,
  ButtonProfile5,
  ButtonLabel1,  // the six ButtonLabels, buttons 1..6 of the active profile
  ButtonLabel2,
  ButtonLabel3,
  ButtonLabel4,
  ButtonLabel5,
  ButtonLabel6,
  ButtonMacroPage,
  ButtonBack,

  // Advanced page, "skins\skin_advance.ini": the DPI stages, then the polling
  // rate and pointer settings.
  AdvancedStage1,
  AdvancedStage2,
  AdvancedStage3,
  AdvancedStage4,
  AdvancedLevelSlider,
  AdvancedLevelXSlider,
  AdvancedLevelYSlider,
  AdvancedScale250,
  AdvancedScale1000,
  AdvancedScale2500,
  AdvancedScale4000,
  AdvancedSeparateXY,
  AdvancedRate125,
  AdvancedRate250,
  AdvancedRate500,
  AdvancedRate1000,
  AdvancedAccelerationSlider,
  AdvancedDpiLabel,
  AdvancedLevelLabel,
  AdvancedAccelerationLabel,
  AdvancedPollingLabel,
  AdvancedAccelerationToggle,
  AdvancedDoubleClickUp,
  AdvancedDoubleClickDown,
  AdvancedScrollLinesUp,
  AdvancedScrollLinesDown,
  AdvancedDoubleClickValue,
  AdvancedScrollLinesValue,
  AdvancedDpiDialValue,     // the selected stage's DPI, in the dial beside the stages
  AdvancedDoubleClickLabel,  // names the double-click row
  AdvancedScrollLinesLabel,  // names the wheel-lines row
  AdvancedBack,

  // Lighting page, "skins\skin_color.ini".
  LightingOn,
  LightingOff,
  LightingMode,
  LightingDirection,
  LightingBrightnessSlider,
  LightingBrightnessPercent,
  LightingSpeedToggle,
  LightingSpeedSlider,
  LightingColorPicker,
  LightingColorLabel,
  LightingEffectLabel,
  LightingBrightnessLabel,
  LightingSpeedLabel,
  LightingSpare1,
  LightingSpare2,
  LightingSpare3,
  LightingBack,

  // Macro page, "skins\skin_macro.ini".
  MacroTotalDelayLabel,
  MacroActionCountLabel,
  MacroEditLabel,
  MacroLoopUnitLabel,
  MacroNameButton,
  MacroNew,
  MacroRename,
  MacroImport,
  MacroExport,
  MacroDelete,
  MacroRecord,
  MacroStop,
  MacroDelayRecorded,  // DelayMode 0
  MacroDelayFixed,     // DelayMode 1
  MacroDelayNone,      // DelayMode 2
  MacroLoop,
  MacroDelayBox,
  MacroLoopBox,
  MacroMoveUp,
  MacroDeleteAction,
  MacroMoveDown,
  MacroActionMenu,
  MacroMouseActionMenu,
  MacroActionList,
  MacroBack,

  Count
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Count);

struct PageLayout {
  Page page;
  int identifier;
  std::string_view name;
  std::string_view skinFile;                      // in the skin folder
  std::span<const std::string_view> screenKeys;  // the "Screen" images the page reads
  Control first;                                  // its controls are [first, end)
  Control end;
};

// Every control of the main window in creation order; entry i is Control(i).
std::span<const ControlLayout> MainControls();
const ControlLayout& LayoutOf(Control control);
Page PageOf(Control control);
std::span<const ControlLayout> ControlsOfPage(Page page);
// The pages in the order BuildMainWindow builds them.
std::span<const PageLayout> PagesInBuildOrder();
const PageLayout& PageLayoutOf(Page page);
constexpr int PageIdentifier(Page page) { return kFirstPageIdentifier + static_cast<int>(page); }
// The home page's tab that opens a page, and the page's back button;
// Control::Count for the home page, which has neither.
Control PageTab(Page page);
Control PageBackButton(Page page);
// False for identifiers that name no page (100005 included).
bool PageFromIdentifier(int identifier, Page& page);

// The size of the default skin's home page "Main" image, which the main
// window takes as its size. Controls must lie inside it.
inline constexpr Size kMainWindowSize{900, 680};

// The two numbers the main window paints on the macro page, and the rectangle
// repainted when they change.
struct TextOrigin {
  int x;
  int y;
};
inline constexpr TextOrigin kMacroTotalDelayOrigin{336, 495};
inline constexpr TextOrigin kMacroActionCountOrigin{336, 516};
inline constexpr Rect kMacroNumbersRect{336, 493, 387, 537};
inline constexpr int kMacroNumbersFontHeight = 20;

// ---------------------------------------------------------------------------
// Colour picker: its children, in the picker's own client coordinates.

enum class ColorPickerControl : std::uint16_t {
  RedBox,
  GreenBox,
  BlueBox,
  HexBox,
  RedUp,
  RedDown,
  GreenUp,
  GreenDown,
  BlueUp,
  BlueDown,
  Count
};

std::span<const ControlLayout> ColorPickerControls();
const ControlLayout& LayoutOf(ColorPickerControl control);

// Parts the picker paints itself. The rows below kColorPickerPaintedBottom are
// left to the page image, which shows the up/down arrows there.
inline constexpr Rect kColorPickerSquare{0, 1, 193, 193};
inline constexpr Rect kColorPickerHueBar{201, 1, 213, 193};
inline constexpr Rect kColorPickerLeftMark{194, 0, 201, 5};   // moved to the hue position - 2
inline constexpr Rect kColorPickerRightMark{213, 0, 220, 5};  // likewise
inline constexpr Rect kColorPickerSwatch{1, 200, 40, 245};
inline constexpr int kColorPickerUnpaintedRows = 55;

// ---------------------------------------------------------------------------
// Skinned dialogs

enum class Dialog : std::uint8_t {
  Key,          // CKeyExDlg
  NumberEntry,  // CEditDelay
  Rename,       // CRenameProfileDlg
  FireKey,      // CGunfireDlg
  XShoot,       // CXShoot
  DpiShift,     // CDPIShift
  MacroSelect,  // CMacroSelDlg
  MacroNameMenu,  // CMacroNameMenu
  Count
};

// The frame shared by the key, number-entry, rename, fire-key, X-shoot and
// DPI-shift dialogs begins every one of their tables.
enum class KeyDialogControl : std::uint16_t { Ok, Cancel, Close, Display, Heading, Hint, Note, Count };
enum class NumberEntryControl : std::uint16_t { Ok, Cancel, Close, NumberBox, Prompt, Heading, Count };
enum class RenameControl : std::uint16_t { Ok, Cancel, Close, NameBox, Heading, Hint, Count };
enum class FireKeyControl : std::uint16_t {
  Ok,
  Cancel,
  Close,
  SpeedLabel,
  SpeedValue,
  SlowLabel,
  FastLabel,
  UnitLabel,
  IntervalLabel,
  Slider,
  ValueBox,
  CountBox,
  Unlimited,
  Count
};
enum class XShootControl : std::uint16_t {
  Ok,
  Cancel,
  Close,
  TargetBox,
  ChoiceButton,
  SecondBox,
  FirstBox,
  SecondLabel,
  FirstLabel,
  NoteLine1,
  NoteLine2,
  Count
};
enum class DpiShiftControl : std::uint16_t { Ok, Cancel, Close, LevelButton, LevelLabel, Note1, Note2, Note3, Count };
enum class MacroSelectControl : std::uint16_t {
  Ok,
  Cancel,
  Close,
  MacroDropDown,
  Mode0,
  Mode1,
  Mode2,
  MacroLabel,
  ModeLabel,
  Hint,
  Count
};
enum class MacroNameMenuControl : std::uint16_t { List, Count };

struct DialogLayout {
  Dialog dialog;
  std::string_view name;
  std::string_view className;
  std::string_view skinFile;
  std::span<const std::string_view> screenKeys;
  Size size;  // the size of its "Main" image in the default skin
  int templateId;  // 0 = the dialog template is the front-end's choice
  std::span<const ControlLayout> controls;
};

std::span<const DialogLayout> Dialogs();
const DialogLayout& DialogLayoutOf(Dialog dialog);

template <typename E>
struct DialogOfControl;
template <>
struct DialogOfControl<KeyDialogControl> {
  static constexpr Dialog kDialog = Dialog::Key;
};
template <>
struct DialogOfControl<NumberEntryControl> {
  static constexpr Dialog kDialog = Dialog::NumberEntry;
};
template <>
struct DialogOfControl<RenameControl> {
  static constexpr Dialog kDialog = Dialog::Rename;
};
template <>
struct DialogOfControl<FireKeyControl> {
  static constexpr Dialog kDialog = Dialog::FireKey;
};
template <>
struct DialogOfControl<XShootControl> {
  static constexpr Dialog kDialog = Dialog::XShoot;
};
template <>
struct DialogOfControl<DpiShiftControl> {
  static constexpr Dialog kDialog = Dialog::DpiShift;
};
template <>
struct DialogOfControl<MacroSelectControl> {
  static constexpr Dialog kDialog = Dialog::MacroSelect;
};
template <>
struct DialogOfControl<MacroNameMenuControl> {
  static constexpr Dialog kDialog = Dialog::MacroNameMenu;
};

template <typename E>
const ControlLayout& LayoutOf(E control) {
  return DialogLayoutOf(DialogOfControl<E>::kDialog).controls[static_cast<std::size_t>(control)];
}

// Rows of the macro name menu's list.
inline constexpr int kMacroNameMenuRowHeight = 20;
inline constexpr int kMacroNameMenuMaxRows = 20;

// ---------------------------------------------------------------------------
// Image popup menus (CBmpMenu, CSubBmpMenu)

enum class Menu : std::uint8_t {
  Assignment,       // the button page's assignment menu
  AssignmentGroup,  // its group popups
  LedMode,
  LedDirection,
  ShootChoice,    // X-shoot dialog: left, right, middle, keyboard
  DpiShiftLevel,  // DPI-shift dialog: 250..1000
  MacroStep,      // insert, copy, cut, paste
  MouseAction,    // clicks and movements for the macro editor
  Count
};

struct MenuLayout {
  Menu menu;
  std::string_view name;
  // The four images in the menu's roles; an item's normal look is cut from
  // the background.
  std::string_view background;
  std::string_view highlighted;
  std::string_view pressed;
  std::string_view disabled;
  int itemHeight;     // 24, or 19 for the compact style
  int firstItemTop;   // 0, or 1 for the compact style
  int maxItems;       // the most items the program puts in it
  Size size;          // the background image's size in the default skin
};

std::span<const MenuLayout> Menus();
const MenuLayout& MenuLayoutOf(Menu menu);
// The rectangle of item i in a menu built with this layout (a sub-menu's
// items start at 0 and are 24 high whatever the style).
Rect MenuItemRect(const MenuLayout& menu, int item);

// ---------------------------------------------------------------------------
// Fixed files of the skin folder

inline constexpr std::string_view kSkinFolder = "skins";
// Pixels of this colour (0xRRGGBB and 0x00BBGGRR alike) are cut out of a
// window by its "Mask" image, and out of a slider thumb when they match its
// top-left pixel.
inline constexpr std::uint32_t kSkinKeyColor = 0xFF00FF;

inline constexpr std::string_view kLogoImage = "logo.png";
inline constexpr std::string_view kIdImage = "ID.png";
inline constexpr std::string_view kHueBarImage = "rgb_sel.png";
inline constexpr std::string_view kHueMarkLeftImage = "bar1.png";
inline constexpr std::string_view kHueMarkRightImage = "bar2.png";
inline constexpr std::string_view kMacroNameMenuImage = "macro_menu_n.jpg";

// Every file of the skin folder that the program opens by a fixed name (page
// and dialog images are named by the skin files instead).
std::span<const std::string_view> FixedSkinFiles();

// Names for tools and messages.
std::string_view ControlKindName(ControlKind kind);
std::string_view SkinImageName(SkinImage image);
// The image a "Screen" key names; None for any other key ("Mask" included).
SkinImage SkinImageFromName(std::string_view key);
std::string_view TextAlignName(TextAlign align);
std::string_view PageName(Page page);

}  // namespace perix
