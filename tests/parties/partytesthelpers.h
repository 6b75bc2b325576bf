#pragma once

#include "seeddata.h"

namespace PartyTest {
using namespace QuillboxTest::Seed;
}
