#pragma once

#include <string>
#include <string_view>

// Where the apply run puts things.
struct ApplyTargets {
  std::string archive_target;  // archives are unpacked here
  std::string folder_target;   // folders are copied below here, ending in "\"
};

// Targets for the destination box's text: the system drive's root and its
// \D\X\ for the default, otherwise the expanded text and text + "\D\X\";
// upper-cased by the ANSI code page.
ApplyTargets ChooseApplyTargets(std::string_view destination_text);

// Source of an archive entry: root\Zipped\entry when that folder exists,
// else root\entry. The test expands the root; the path keeps it as held.
// The root is ANSI text, the entry and the path name text
// (common/file_names.h).
std::string ArchiveSourcePath(const std::string& package_root, const std::string& entry);
// Source of a folder entry: root\UnZipped\entry or root\entry, likewise.
std::string FolderSourcePath(const std::string& package_root, const std::string& entry);
