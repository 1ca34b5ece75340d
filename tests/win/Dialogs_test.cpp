// The skinned dialogs under Wine: they run modally, and a script of posted
// input (keys, clicks) runs inside their message loop as a user would.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>

#include "TestHost.h"
#include "dialogs/EditDelay.h"
#include "dialogs/RenameProfileDlg.h"

namespace perix::win::test {
namespace {

class FakeSkin final : public TextSource {
 public:
  std::map<std::u16string, std::u16string> captions{{u"1", u"OK"}, {u"2", u"Cancel"}};
  std::u16string Text(std::u16string_view, std::u16string_view) override { return {}; }
  std::u16string SkinString(std::u16string_view, std::u16string_view section, std::u16string_view key) override {
    if (section != u"BUTTONPOS") return {};
    const auto found = captions.find(std::u16string(key));
    return found == captions.end() ? std::u16string() : found->second;
  }
};

// Runs one step each time it is woken; the steps run inside whatever message
// loop is running, after everything the previous step posted.
class CScript : public CWindowBase {
 public:
  using Step = std::function<void()>;
  explicit CScript(std::deque<Step> steps) : m_steps(std::move(steps)) {
    CreateWindowObject(L"PerixTestScript", 0, 0, L"", WS_POPUP, RECT{kOffscreen, kOffscreen, kOffscreen + 1, kOffscreen + 1},
                       nullptr, 0);
  }
  void Start() { PostMessageW(Handle(), WM_APP, 0, 0); }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnStep(WPARAM, LPARAM) {
    if (m_steps.empty()) return 0;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step();
    PostMessageW(Handle(), WM_APP, 0, 0);
    return 0;
  }
  std::deque<Step> m_steps;
};

PERIX_BEGIN_MESSAGE_TABLE(CScript, CWindowBase)
  OnMessage<&CScript::OnStep>(WM_APP),
PERIX_END_MESSAGE_TABLE(CScript, CWindowBase)

HWND FindDialog(const wchar_t* title) { return FindWindowW(kDialogClassName, title); }

// The child window with a window ID, as the frame numbers them: the table's
// own ID, or 0x7000 + the control's index.
HWND Child(HWND dialog, int index, int ownId = 0) {
  return GetDlgItem(dialog, ownId != 0 ? ownId : 0x7000 + index);
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

void Type(HWND box, std::wstring_view text) {
  for (wchar_t ch : text) PostMessageW(box, WM_CHAR, ch, 1);
}

void PressKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

TEST(NumberEntryDialog, TypingIsKeptWithinItsLimitsAndOkReturnsTheValue) {
  FakeSkin skin;
  NumberEntry entry(1500);
  CEditDelay dialog(entry, skin);
  std::wstring opened, afterNines, afterEmptying;
  HWND box = nullptr;
  HWND ok = nullptr;
  CScript script({
      [&] {
        HWND d = FindDialog(kNumberEntryTitle);
        box = Child(d, static_cast<int>(NumberEntryControl::NumberBox));
        ok = Child(d, static_cast<int>(NumberEntryControl::Ok));
        opened = TextOf(box);
        // The box opens with everything selected: typing replaces it.
        Type(box, L"999999");
      },
      [&] {
        afterNines = TextOf(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
        PostMessageW(box, WM_CHAR, VK_BACK, 1);
      },
      [&] {
        afterEmptying = TextOf(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
        Type(box, L"1505");
        // Neither closes the dialog.
        PressKey(box, VK_RETURN);
        PressKey(box, VK_ESCAPE);
      },
      [&] { Click(ok); },
  });
  script.Start();
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(opened, L"1500");
  EXPECT_EQ(afterNines, L"131070");
  EXPECT_EQ(afterEmptying, L"1");
  EXPECT_EQ(entry.Value(), 1505);
}

TEST(NumberEntryDialog, CancelAndCloseEndWithTwoAndTheLimitHolds) {
  FakeSkin skin;
  for (auto control : {NumberEntryControl::Cancel, NumberEntryControl::Close}) {
    NumberEntry entry(10, 119, u"Distance");
    CEditDelay dialog(entry, skin);
    std::wstring prompt, limited;
    CScript script({
        [&] {
          HWND d = FindDialog(kNumberEntryTitle);
          HWND box = Child(d, static_cast<int>(NumberEntryControl::NumberBox));
          prompt = TextOf(Child(d, static_cast<int>(NumberEntryControl::Prompt)));
          SendMessageW(box, EM_SETSEL, 0, -1);
          Type(box, L"500");
        },
        [&] {
          HWND d = FindDialog(kNumberEntryTitle);
          limited = TextOf(Child(d, static_cast<int>(NumberEntryControl::NumberBox)));
          Click(Child(d, static_cast<int>(control)));
        },
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(prompt, L"Distance");
    EXPECT_EQ(limited, L"119");
  }
}

TEST(RenameDialog, OpensWithTheNameAndOkHandsBackTheTypedOne) {
  FakeSkin skin;
  CRenameProfileDlg dialog(u"Macro 1", skin);
  std::wstring opened;
  CScript script({
      [&] {
        HWND box = Child(FindDialog(kRenameTitle), static_cast<int>(RenameControl::NameBox));
        opened = TextOf(box);
        // The name opens selected and focused: typing replaces it.
        EXPECT_EQ(GetFocus(), box);
        Type(box, L"Jump");
        PressKey(box, VK_RETURN);
      },
      [&] { Click(Child(FindDialog(kRenameTitle), static_cast<int>(RenameControl::Ok))); },
  });
  script.Start();
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(opened, L"Macro 1");
  EXPECT_EQ(dialog.Name(), u"Jump");

  CRenameProfileDlg cancelled(u"Macro 1", skin);
  CScript cancel({
      [&] {
        HWND d = FindDialog(kRenameTitle);
        Type(Child(d, static_cast<int>(RenameControl::NameBox)), L"X");
        Click(Child(d, static_cast<int>(RenameControl::Close)));
      },
  });
  cancel.Start();
  EXPECT_EQ(cancelled.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(cancelled.Name(), u"Macro 1");
}

}  // namespace
}  // namespace perix::win::test
