"""The registration of the built library in English, as the PostgreSQL
extension's generator reads it through the exported entry points
(sql/postgresql/generate_sql.py), in the shape the tests compare with."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sql", "postgresql"))
from generate_sql import registration  # noqa: E402


def read_registration(library):
    """{exported name: ([(English parameter name, is text)], text result)}."""
    return {exported: ([(name, is_text) for name, _, is_text in parameters], text_result)
            for exported, _, _, text_result, parameters in registration(library)}
