#pragma once

// Shared by kodvik.rc and the code that loads the resources.
#define IDI_KODVIK 1
