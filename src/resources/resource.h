// Resource identifiers shared by the program and tassefiche.rc.
#ifndef TASSEFICHE_RESOURCES_RESOURCE_H
#define TASSEFICHE_RESOURCES_RESOURCE_H

// The lowest icon identifier is the one the shell shows for the executable.
#define IDI_TASSEFICHE 1
#define IDI_COMPRESS 101
#define IDI_NEW_FOLDER 102
#define IDI_HELP 103
#define IDI_ABOUT 104
#define IDI_QUIT 105

// The plain line drawings of the button pictures, which the buttons show in high contrast.
#define IDI_TASSEFICHE_PLAIN 111
#define IDI_COMPRESS_PLAIN 112
#define IDI_NEW_FOLDER_PLAIN 113
#define IDI_HELP_PLAIN 114
#define IDI_ABOUT_PLAIN 115
#define IDI_QUIT_PLAIN 116

// The pointing hand over what can be clicked, and the donation picture (a GIF, as raw data).
#define IDC_POINTING_HAND 201
#define IDR_DONATION 301

#endif
