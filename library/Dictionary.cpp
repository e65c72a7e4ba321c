#include "Dictionary.h"

#include <utility>

int Dictionary::setName(std::string newName)
{
    name = std::move(newName);
    return 0;
}

std::string Dictionary::getName()
{
    return name;
}
