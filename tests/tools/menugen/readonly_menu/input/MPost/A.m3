old A
