// Resource.h: identifiers of the program's resources.
#pragma once

#define IDI_CORVANE 101

#define IDD_DATADIRECTORIES 113
#define IDC_DATADIRECTORIES_MOVEUP 1021
#define IDC_DATADIRECTORIES_MOVEDOWN 1022
#define IDC_DATADIRECTORIES_TREE 1032
