#include "app/Globals.h"

std::string path2app;
std::string DEFS_WKO_IO;
std::string DEFS_ORD_IO;

std::atomic<int32> ord_exist{0};
std::atomic<int32> wko_exist{0};
std::atomic<int32> reload_htm{0};
