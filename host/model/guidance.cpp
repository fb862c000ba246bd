#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

void addGuidanceModel(SimModel&) {}

}  // namespace tj20::host
