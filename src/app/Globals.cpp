#include "app/Globals.h"

std::string path2app;
SharedText DEFS_WKO_IO;
SharedText DEFS_ORD_IO;

std::atomic<int32> ord_exist{0};
std::atomic<int32> wko_exist{0};
std::atomic<int32> reload_htm{0};
