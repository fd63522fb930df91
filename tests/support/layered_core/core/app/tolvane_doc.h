#pragma once

#include "core/files/store_reader.h"
