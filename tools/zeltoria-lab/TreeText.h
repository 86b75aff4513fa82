// The accessible tree as text, one part a line, indented by depth: what a screen reader would
// find, for people and tests to read.
#pragma once

#include <string>

#include "platform/Accessible.h"

// `role "name": description [states]`, children indented by two spaces.
std::string AccessibleText(const platform::AccessibleNode& root);
