#pragma once

#include <string>

// Shared pieces of the scenarios.
namespace scenario {

// A Setup.inf with these product names; extra lines go into section General.
inline std::string Inf(const std::string& organisation, const std::string& product,
                       const std::string& version, const std::string& extra = {}) {
  return "[General]\r\nOrganisation=" + organisation + "\r\nProduct=" + product + "\r\nVersion=" + version +
         "\r\nEVersion=" + version + "\r\n" + extra;
}

// A point of the backdrop window that no page covers.
constexpr int kBackdropFreeX = 20;
constexpr int kBackdropFreeY = 300;

}  // namespace scenario
