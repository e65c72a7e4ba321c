// The display name that every dictionary carries ("The usual edict").
#ifndef DEXARU_DICTIONARY_H
#define DEXARU_DICTIONARY_H

#include <string>

class Dictionary
{
public:
    Dictionary() = default;
    virtual ~Dictionary() = default;

    int setName(std::string newName);
    std::string getName();

    std::string name;
};

#endif
