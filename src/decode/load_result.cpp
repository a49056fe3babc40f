#include "decode/load_result.h"

std::string LoadFailureText(const LoadResult& result)
{
    switch (result.outcome) {
    case LoadResult::Outcome::CannotOpen:
        return "Read fail!";
    case LoadResult::Outcome::Malformed:
        return "READ FILE FAIL!!";
    case LoadResult::Outcome::Loaded:
        break;
    }
    return {};
}

std::string PassedOverText(const LoadResult& result)
{
    if (result.recordsPassedOver == 0)
        return {};
    return "Records passed over because their latitude or longitude is out of range or not a number: " +
           std::to_string(result.recordsPassedOver) + ".";
}
