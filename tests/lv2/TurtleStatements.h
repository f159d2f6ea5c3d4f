#pragma once

#include <string>
#include <vector>

namespace vorl::test
{
// One RDF statement with prefixed names expanded to full URIs; literals keep their text and
// blank nodes read "_:name".
struct TurtleStatement
{
    std::string subject;
    std::string predicate;
    std::string object;
};

// The statements of a Turtle file in the order the file gives them, read with serd (the
// parser lilv uses). Empty when the file cannot be read or is not valid Turtle.
std::vector<TurtleStatement> readTurtleStatements(const std::string& path);
} // namespace vorl::test
