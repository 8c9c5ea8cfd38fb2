/* Marks the functions that the shared library exports; everything else in it is
   hidden. */
#ifndef HYGRIAN_EXPORT_H
#define HYGRIAN_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define HYGRIAN_API __attribute__((visibility("default")))
#else
#define HYGRIAN_API
#endif

#endif
