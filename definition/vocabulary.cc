#include "definition/vocabulary.h"

const ObjectType* FindObjectType(std::string_view word) {
  for (const ObjectType& type : kObjectTypes) {
    if (type.word == word) return &type;
  }
  return nullptr;
}

StoreKind StoreOfType(std::string_view word) {
  const ObjectType* type = FindObjectType(word);
  return type != nullptr ? type->store : StoreKind::kControls;
}

ControlKind ControlKindOf(std::string_view word) {
  const ObjectType* type = FindObjectType(word);
  return type != nullptr ? type->kind : ControlKind::kButton;
}
