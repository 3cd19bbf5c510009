#pragma once
// The variant unit: Variant, its arrays, conversions and operators.
#include "vcl/variants/Consts.h"
#include "vcl/variants/Variant.h"
