#include "store/store_object.h"

PropertySection* SectionList::At(int index) {
  if (!InRange(index)) return nullptr;
  return index == 0 ? &*first_ : &more_[static_cast<std::size_t>(index - 1)];
}

const PropertySection* SectionList::At(int index) const {
  if (!InRange(index)) return nullptr;
  return index == 0 ? &*first_ : &more_[static_cast<std::size_t>(index - 1)];
}

PropertySection* SectionList::FindOrAdd(std::string_view name) {
  PropertySection* found = Find(name);
  if (found != nullptr) return found;
  if (first_.has_value()) {
    more_.emplace_back(name);
  } else {
    first_.emplace(name);
  }
  index_.Appended(Size(), NameOf());
  return At(Count() - 1);
}

void SectionList::Remove(std::string_view name) {
  const int position = IndexOf(name);
  if (position < 0) return;
  if (position > 0) {
    more_.erase(more_.begin() + (position - 1));
  } else if (more_.empty()) {
    first_.reset();
  } else {
    first_ = std::move(more_.front());
    more_.erase(more_.begin());
  }
  index_.Rebuild(Size(), NameOf());
}

StoreObject::StoreObject(std::string_view name, std::string_view type) : name_(name), type_(type) {}
