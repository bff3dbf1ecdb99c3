#pragma once

// The model of a clone in one include: repository, branches, commits,
// checkout points and the branch name lists.
#include "branchlist.h"
#include "gitbranch.h"
#include "gitcheckoutpoint.h"
#include "gitcommit.h"
#include "gitrepository.h"
