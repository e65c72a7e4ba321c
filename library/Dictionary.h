/// @file
/// @class Dictionary
/// The display name that every dictionary carries ("The usual edict").
#ifndef DEXARU_DICTIONARY_H
#define DEXARU_DICTIONARY_H

#include <string>

class Dictionary
{
public:
    /// A dictionary with an empty name.
    Dictionary() = default;
    /// Virtual so that a dictionary is deleted through any of its bases.
    virtual ~Dictionary() = default;

    ///@{
    /// @brief The name shown to users, copied into every entry a search finds and
    /// used by lookups by name. Setting returns 0.
    int setName(std::string newName);
    std::string getName();
    ///@}

    /// The display name; empty until set.
    std::string name;
};

#endif
