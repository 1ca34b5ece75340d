#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestHost.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Window.h"

namespace perix::win::test {
namespace {

class CBaseProbe : public CWindowBase {
 public:
  bool Create() {
    return CreateWindowObject(L"PerixProbe", 0, 0, L"", WS_POPUP, RECT{kOffscreen, kOffscreen, kOffscreen + 50, kOffscreen + 50},
                              nullptr, 0);
  }
  std::vector<std::string> m_calls;

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnFirst(WPARAM, LPARAM) {
    m_calls.push_back("base first");
    return 1;
  }
  LRESULT OnSecond(WPARAM, LPARAM) {
    m_calls.push_back("base second");
    return 2;
  }
};

PERIX_BEGIN_MESSAGE_TABLE(CBaseProbe, CWindowBase)
  OnMessage<&CBaseProbe::OnFirst>(WM_APP),
  OnMessage<&CBaseProbe::OnSecond>(WM_APP + 1),
PERIX_END_MESSAGE_TABLE(CBaseProbe, CWindowBase)

class CDerivedProbe : public CBaseProbe {
 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnFirst(WPARAM, LPARAM) {
    m_calls.push_back("derived first");
    return 10;
  }
  LRESULT OnSevenClicked(WPARAM, LPARAM) {
    m_calls.push_back("seven clicked");
    return 0;
  }
  LRESULT OnRange(WPARAM wParam, LPARAM) {
    m_calls.push_back("range " + std::to_string(LOWORD(wParam)));
    return 0;
  }
  LRESULT OnAnyCommand(WPARAM, LPARAM) {
    m_calls.push_back("any command");
    return 0;
  }
  LRESULT OnSetText(WPARAM, LPARAM) {
    m_calls.push_back("set text");
    return Default();
  }
};

PERIX_BEGIN_MESSAGE_TABLE(CDerivedProbe, CBaseProbe)
  OnMessage<&CDerivedProbe::OnFirst>(WM_APP),
  OnCommand<&CDerivedProbe::OnSevenClicked>(7, BN_CLICKED),
  OnCommandRange<&CDerivedProbe::OnRange>(20, 29),
  OnMessage<&CDerivedProbe::OnAnyCommand>(WM_COMMAND),
  OnMessage<&CDerivedProbe::OnSetText>(WM_SETTEXT),
PERIX_END_MESSAGE_TABLE(CDerivedProbe, CBaseProbe)

// A handler that throws: the exception must not unwind through the system's
// frames. The message gets the default handling and the window works on.
class CThrowingProbe : public CWindowBase {
 public:
  bool Create() {
    return CreateWindowObject(L"PerixThrowingProbe", 0, 0, L"", WS_POPUP,
                              RECT{kOffscreen, kOffscreen, kOffscreen + 50, kOffscreen + 50}, nullptr, 0);
  }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
  LRESULT OnThrowAnything(WPARAM, LPARAM) { throw 42; }
  LRESULT OnFine(WPARAM, LPARAM) { return 7; }
};

PERIX_BEGIN_MESSAGE_TABLE(CThrowingProbe, CWindowBase)
  OnMessage<&CThrowingProbe::OnThrow>(WM_APP),
  OnMessage<&CThrowingProbe::OnThrowAnything>(WM_APP + 1),
  OnMessage<&CThrowingProbe::OnFine>(WM_APP + 2),
PERIX_END_MESSAGE_TABLE(CThrowingProbe, CWindowBase)

TEST(WindowProcedure, AnExceptionEndsOnlyItsMessage) {
  CThrowingProbe probe;
  ASSERT_TRUE(probe.Create());
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP, 0, 0), 0);
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP + 1, 0, 0), 0);
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP + 2, 0, 0), 7);
  PostMessageW(probe.Handle(), WM_APP, 0, 0);
  MSG msg;
  while (PeekMessageW(&msg, probe.Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP + 2, 0, 0), 7);
  probe.DestroyWindow();
}

TEST(MessageTable, DerivedEntriesComeFirstThenTheBaseThenTheDefault) {
  CDerivedProbe probe;
  ASSERT_TRUE(probe.Create());
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP, 0, 0), 10);
  EXPECT_EQ(SendMessageW(probe.Handle(), WM_APP + 1, 0, 0), 2);
  // A handler that asks for the default processing gets it.
  SetWindowTextW(probe.Handle(), L"title");
  EXPECT_EQ(probe.Text(), L"title");
  EXPECT_EQ(probe.m_calls, (std::vector<std::string>{"derived first", "base second", "set text"}));
}

TEST(MessageTable, CommandsMatchByIdAndNotification) {
  CDerivedProbe probe;
  ASSERT_TRUE(probe.Create());
  SendMessageW(probe.Handle(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
  SendMessageW(probe.Handle(), WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), 0);
  SendMessageW(probe.Handle(), WM_COMMAND, MAKEWPARAM(25, EN_CHANGE), 0);
  SendMessageW(probe.Handle(), WM_COMMAND, MAKEWPARAM(30, BN_CLICKED), 0);
  EXPECT_EQ(probe.m_calls, (std::vector<std::string>{"seven clicked", "any command", "range 25", "any command"}));
}

class CColouredStatic : public CWindowBase {
 public:
  HBRUSH m_brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnColour(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_brush); }
};

PERIX_BEGIN_MESSAGE_TABLE(CColouredStatic, CWindowBase)
  OnReflected<&CColouredStatic::OnColour>(WM_CTLCOLORSTATIC),
PERIX_END_MESSAGE_TABLE(CColouredStatic, CWindowBase)

TEST(MessageTable, ParentHandsColourRequestsToItsOwnControls) {
  CTestHost host;
  ASSERT_TRUE(host.Create());
  CColouredStatic child;
  ASSERT_TRUE(child.CreateControl(L"STATIC", L"x", WS_CHILD, 0, RECT{0, 0, 20, 20}, host.Handle(), 5));
  HWND plain = CreateWindowExW(0, L"STATIC", L"y", WS_CHILD, 0, 30, 20, 20, host.Handle(), nullptr, nullptr, nullptr);
  WindowDc dc(host.Handle());
  EXPECT_EQ(SendMessageW(host.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(child.Handle())),
            reinterpret_cast<LRESULT>(child.m_brush));
  // A control without an object, or a handle that is no child, gets the default.
  EXPECT_NE(SendMessageW(host.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(plain)),
            reinterpret_cast<LRESULT>(child.m_brush));
  SendMessageW(host.Handle(), WM_CTLCOLORSTATIC, 0, 12345);
  SendMessageW(host.Handle(), WM_DRAWITEM, 0, 0);
}

TEST(WindowLifetime, ObjectAndWindowLetGoOfEachOther) {
  HWND hwnd = nullptr;
  {
    CBaseProbe probe;
    ASSERT_TRUE(probe.Create());
    hwnd = probe.Handle();
    EXPECT_EQ(CWindowBase::FromHandle(hwnd), &probe);
  }
  EXPECT_FALSE(IsWindow(hwnd));

  CBaseProbe probe;
  ASSERT_TRUE(probe.Create());
  DestroyWindow(probe.Handle());
  EXPECT_EQ(probe.Handle(), nullptr);
  // The object can make a new window afterwards.
  EXPECT_TRUE(probe.Create());
}

class CProbeDialog : public CDialogBase {
 public:
  enum class Plan { EndWithOk, CloseWindow, DestroyFromOutside, SwallowEscape };
  explicit CProbeDialog(Plan plan) : CDialogBase(DialogTemplate(WS_POPUP, 0, 40, 40, L"probe")), m_plan(plan) {}
  std::vector<std::string> m_calls;
  bool m_ownerEnabledDuringRun = true;
  HWND m_owner = nullptr;

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnCreate(WPARAM, LPARAM) {
    m_calls.push_back("create");
    return Default();
  }
  BOOL OnInitDialog() override {
    m_calls.push_back("init");
    SetWindowPos(Handle(), nullptr, kOffscreen, kOffscreen, 40, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(Handle(), WM_APP, 0, 0);
    return TRUE;
  }
  LRESULT OnStart(WPARAM, LPARAM) {
    if (m_owner) m_ownerEnabledDuringRun = IsWindowEnabled(m_owner);
    switch (m_plan) {
      case Plan::EndWithOk: EndDialog(IDOK); break;
      case Plan::CloseWindow: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
      case Plan::DestroyFromOutside: DestroyWindow(); break;
      case Plan::SwallowEscape: PostMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 1); break;
    }
    return 0;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (m_plan == Plan::SwallowEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      EndDialog(IDOK);
      return true;
    }
    return false;
  }
  Plan m_plan;
};

PERIX_BEGIN_MESSAGE_TABLE(CProbeDialog, CDialogBase)
  OnMessage<&CProbeDialog::OnCreate>(WM_CREATE),
  OnMessage<&CProbeDialog::OnStart>(WM_APP),
PERIX_END_MESSAGE_TABLE(CProbeDialog, CDialogBase)

TEST(ModalDialog, ReturnsOneForOkAndTwoForCancel) {
  CProbeDialog ok(CProbeDialog::Plan::EndWithOk);
  EXPECT_EQ(ok.DoModal(nullptr), IDOK);
  EXPECT_EQ(ok.m_calls, (std::vector<std::string>{"create", "init"}));
  EXPECT_EQ(ok.Handle(), nullptr);

  CProbeDialog closed(CProbeDialog::Plan::CloseWindow);
  EXPECT_EQ(closed.DoModal(nullptr), IDCANCEL);

  CProbeDialog destroyed(CProbeDialog::Plan::DestroyFromOutside);
  EXPECT_EQ(destroyed.DoModal(nullptr), IDCANCEL);
}

TEST(ModalDialog, DisablesItsOwnerOnlyWhileItRuns) {
  CTestHost owner;
  ASSERT_TRUE(owner.Create());
  CProbeDialog dialog(CProbeDialog::Plan::EndWithOk);
  dialog.m_owner = owner.Handle();
  EXPECT_EQ(dialog.DoModal(owner.Handle()), IDOK);
  EXPECT_FALSE(dialog.m_ownerEnabledDuringRun);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(ModalDialog, PreTranslateMessageSeesKeysBeforeTheDialogManager) {
  // Unswallowed, Esc would cancel the dialog.
  CProbeDialog dialog(CProbeDialog::Plan::SwallowEscape);
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
}

}  // namespace
}  // namespace perix::win::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new perix::win::test::GdiPlusEnvironment);
  return RUN_ALL_TESTS();
}
