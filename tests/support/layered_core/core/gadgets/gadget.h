#pragma once

#include "core/text/charset_converter.h"
