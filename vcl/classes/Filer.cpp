#include "vcl/classes/Filer.h"

TFiler::~TFiler() = default;
