#pragma once
// The data-set side of the expression engine: the parser that turns expression texts into canonical
// buffers against a data set's fields, and the evaluators and expression lists over data sets.
#include "lib/moxDBCanExprEval.h"
#include "lib/moxDBCanExprParser.h"
