#include "formats/xlsx/XMLEventAdapter.h"

namespace tamsel::xml {

void XMLEventAdapter::appendExpanded(std::string& out, const XMLQualifiedName& name) {
  if (!name.namespaceURI.empty()) {
    out.append(name.namespaceURI);
    out.push_back(xmlNameSeparator);
  }
  out.append(name.localName);
  out.push_back('\0');
}

void XMLEventAdapter::startElement(const XMLElementStart& element) {
  name_.clear();
  appendExpanded(name_, element.name);
  attributeText_.clear();
  offsets_.clear();
  for (const XMLAttribute& attribute : element.attributes) {
    offsets_.push_back(attributeText_.size());
    appendExpanded(attributeText_, attribute.name);
    offsets_.push_back(attributeText_.size());
    attributeText_.append(attribute.value);
    attributeText_.push_back('\0');
  }
  // Pointers only now: the text may have moved while it grew.
  attributes_.clear();
  for (std::size_t offset : offsets_) attributes_.push_back(attributeText_.data() + offset);
  attributes_.push_back(nullptr);
  handler_.startElement(name_.data(), attributes_.data());
}

void XMLEventAdapter::endElement(const XMLQualifiedName& name) {
  name_.clear();
  appendExpanded(name_, name);
  handler_.endElement(name_.data());
}

}  // namespace tamsel::xml
