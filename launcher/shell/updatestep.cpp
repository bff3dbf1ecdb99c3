#include "updatestep.h"

UpdateStep::Outcome UpdateStep::run(QWidget*)
{
    // Nothing to offer until the manifest reader and download manager exist.
    return Outcome::Continue;
}
