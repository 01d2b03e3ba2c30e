#include "platform/character/CharacterService.h"
