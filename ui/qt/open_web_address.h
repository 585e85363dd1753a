// The one way the program opens a web address: hands it, unchanged, to the
// platform, which opens it in the user's default browser. The result is
// ignored and the calling window stays open.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace quorvane::ui {

// window: the window whose link was clicked. Nothing is reported whatever
// the platform does with the address.
void OpenWebAddress(QWidget* window, const std::string& address);

// Tests put a recorder in place of the platform's opener; an empty function
// restores the platform's.
using WebAddressOpener = std::function<void(QWidget* window, const std::string& address)>;
void SetWebAddressOpenerForTesting(WebAddressOpener opener);

}  // namespace quorvane::ui
