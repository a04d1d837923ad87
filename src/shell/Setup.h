#pragma once
// The setup switches on the command line: "/install" and "/shadow" go on
// with the normal start; "/uninstall" asks first (string 9501) and ends the
// run either way, removing the start-with-logon entry on Yes.
#include <vector>

#include "framework/AStr.h"

// Whether the normal start continues.
bool HandleSetupSwitch(const std::vector<AStr>& args);
