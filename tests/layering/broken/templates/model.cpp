// A file made to break the layers, for the check's own test.
#include "templates/model.h"
#include "core/class.h"
#include "widgets/editform.h"
