#include "process/failure.h"

namespace tikvan {

void RaiseDateConversion() { throw EConvertError(""); }

void RaiseTimeConversion() { throw EConvertError(""); }

}  // namespace tikvan
