#include "maintenance/removal_texts.h"

namespace stp {

std::string RemovalQuestion(const std::string& product_title) {
  return "Sie sind dabei, " + product_title +
         " von Ihrem System zu entfernen. Wollen Sie wirklich fortfahren?";
}

}  // namespace stp
