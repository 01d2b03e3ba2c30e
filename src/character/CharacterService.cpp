#include "character/CharacterService.h"
