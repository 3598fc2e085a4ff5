// Export linkage for the toolkit: every class and free function of log/, path/,
// object/, text/ and winui/ is declared VELMORA_API so that the executables
// export it by name.
#pragma once

#if defined(_WIN32)
#define VELMORA_API __declspec(dllexport)
#else
#define VELMORA_API __attribute__((visibility("default")))
#endif
