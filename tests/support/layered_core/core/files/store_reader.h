#pragma once

#include "core/files/store_type.h"
#include "core/stores/item_store.h"
#include "core/text/charset_converter.h"
