#include "store/store_object.h"

StoreObject::StoreObject(const std::string& name, const std::string& type)
    : name_(name), type_(type) {}
