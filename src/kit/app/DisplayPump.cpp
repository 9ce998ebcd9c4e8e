#include "kit/app/DisplayPump.h"

DisplayPump::~DisplayPump() = default;
