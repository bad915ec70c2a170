#pragma once

// What a click of each button does, for both windows: a click runs one of the code logic's
// operations, on `spoken` so that screen readers hear its answer, or Print, which is the window's
// own and shows nothing in the fields. Fields and labels are never clicked.

#include "codelogic.h"
#include "form.h"
#include "spoken.h"

#include <functional>

namespace kodvik {

void click(Control button, CodeLogic& logic, Spoken& spoken, const std::function<void()>& print);

} // namespace kodvik
