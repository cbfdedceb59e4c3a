/* The program's version: the one place the version resource, the manifest, the About box and the
   release archives take it from. */
#pragma once
#define OSTRI_VERSION_MAJOR 1
#define OSTRI_VERSION_MINOR 1
#define OSTRI_VERSION_TEXT "1.1"
