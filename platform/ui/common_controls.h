// Registration of the platform's common control classes (progress bar and
// the other controls of the main dialog) before any window uses them.
#pragma once

// InitCommonControlsEx with a structure of 8 bytes and the given class set
// (0xFF: ICC_WIN95_CLASSES). POSIX has no such classes: true at once.
bool InitCommonControlClasses(unsigned classes);
