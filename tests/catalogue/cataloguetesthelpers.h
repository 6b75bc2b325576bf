#pragma once

#include "seeddata.h"

namespace CatalogueTest {
using namespace QuillboxTest::Seed;
}
