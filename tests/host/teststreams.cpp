#include "teststreams.h"

namespace ord3ltest {

IMPLEMENT_FUNKNOWN_METHODS (LimitedStream, IBStream, IBStream::iid)

} // namespace ord3ltest
