// The name a screen reader gives a control: Windows' own accessible object
// of the control (oleacc's CreateStdAccessibleObject), answering with the
// design's name instead of the one it would work out from the control's
// text or the label before it. oleacc is loaded from System32 when a
// screen reader first asks, never linked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane::ui::win32 {

// The answer to WM_GETOBJECT for a control named `name`: the control's own
// accessible object under that name for OBJID_CLIENT; nullopt for any other
// object, or when oleacc cannot give one, so that the control answers.
std::optional<LRESULT> AccessibleObjectNamed(HWND control, WPARAM flags, LPARAM object,
                                             const std::wstring& name);

}  // namespace quorvane::ui::win32
