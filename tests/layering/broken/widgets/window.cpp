// Windows may include anything below them.
#include <QDialog>
#include "templates/model.h"
