#pragma once

int CountSpaces(const char* s);
