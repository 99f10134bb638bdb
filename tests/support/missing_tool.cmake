message(FATAL_ERROR "${TEXT}")
