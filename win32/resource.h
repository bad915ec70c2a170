#pragma once

// Shared by kodvik.rc and the code that loads the resources.
// NOLINTNEXTLINE(modernize-macro-to-enum): kodvik.rc reads it too, and windres knows no enums.
#define IDI_KODVIK 1
