// Resource.h: identifiers of the program's resources.
#pragma once

#define IDI_CORVANE 101
