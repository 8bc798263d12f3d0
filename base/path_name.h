// The one rule for the last component of a path, shared by the record names
// that appended files get, the names of databases without a readable header
// and the packager's test for a path that holds a folder.
#pragma once

// The last component of path, pointing into it: what follows its last
// backslash or slash; with neither, what follows a leading drive (an ASCII
// letter and a colon, as in "d:name.prc"); else the whole path. Any other
// colon belongs to the name ("1:x.prc" is one name), as it does in a record
// name, which never holds a folder.
const char* LastPathComponent(const char* path);

// The extension of a name: from its last dot on, dot included, pointing
// into name; the empty text at its end when it has no dot.
const char* ExtensionOf(const char* name);
