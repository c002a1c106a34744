// Placeholder until the CSR road lands: it finds nothing, which the worker reports as the
// cannot-open-USB failure.
#include "recognition/RecognitionContext.h"

namespace recognition {

void recognizeCsrHeadset(RecognitionContext&) {}

}  // namespace recognition
