#pragma once

// What a click of each button does, for both windows: a click runs one of the code logic's
// operations, or Print, which is the window's own. Fields and labels are never clicked.

#include "codelogic.h"
#include "form.h"

#include <functional>

namespace kodvik {

void click(Control button, CodeLogic& logic, const std::function<void()>& print);

} // namespace kodvik
