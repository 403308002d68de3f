#pragma once

// The main window's title. The ADIF header and the Cabrillo CREATED-BY line name the
// program by it, so it lives in one place.
inline constexpr char ProgramTitle[] = "Field Day Logger 1.00";
