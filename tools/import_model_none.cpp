// The importer of builds without assimp (the Windows build): there is none.
#include "tools/import_model.h"

bool ImportAvailable() { return false; }

bool ImportModel(const ImportRequest& request, std::string* message)
{
    *message = request.input + ": this build of dot3bump-assets cannot import models; the Linux " +
               "build's can";
    return false;
}
