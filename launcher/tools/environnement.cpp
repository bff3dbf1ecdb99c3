#include "environnement.h"

Env* Env::getSingleton()
{
    static Env* instance = new Env();
    return instance;
}
